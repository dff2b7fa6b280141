#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class CWavePeaks;

// Turns a finished waveform WAV into the timeline's picture, its fine peaks
// and its own length on a thread of its own, so that a long file (600 MB an
// hour) never holds the window. The file is removed once read.
//
// Only the latest load reports: a newer load, cancel() or stop() stops the
// older read at its next block, and whatever it made is dropped on the
// worker's side of the queue, so nothing of an older file reaches the
// window. Lives on the thread that calls it (the GUI thread), which is also
// where loaded() is emitted.
class CWaveformLoader final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWaveformLoader)

public:
    struct Result
    {
        QImage image; // null when the WAV could not be read
        std::shared_ptr<const CWavePeaks> peaks; // null when there are none
        double seconds = 0.0; // the WAV's own length (0: unknown)
        qint64 elapsedMs = 0;
    };

    explicit CWaveformLoader(QObject *parent = nullptr);
    // Stops, and waits for, every worker: see stop().
    ~CWaveformLoader() override;

    // Reads wavePath for a picture of width x height on a new worker and
    // supersedes any load still running.
    void load(const QString &wavePath, int width, int height);
    // The current load, if any, never reports. Does not wait.
    void cancel();
    // cancel(), then waits for every worker to have let go of its file
    // (each stops within one block read): the folder holding the files may
    // be removed afterwards.
    void stop();
    // A load is running whose result will be reported.
    bool isLoading() const { return m_current != 0; }

    // The work itself, on the calling thread: reads (until cancelled turns
    // true), then removes the file.
    static Result read(const QString &wavePath, int width, int height, const std::atomic_bool &cancelled);

Q_SIGNALS:
    void loaded(const CWaveformLoader::Result &result);

private:
    struct Worker
    {
        quint64 generation = 0;
        std::shared_ptr<std::atomic_bool> cancelled;
        std::thread thread;
    };
    void deliver(quint64 generation, const Result &result);

    std::vector<Worker> m_workers;
    quint64 m_generation = 0;
    quint64 m_current = 0; // the generation that reports; 0: none
};
