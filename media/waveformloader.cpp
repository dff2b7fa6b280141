#include "waveformloader.h"

#include "waveimage.h"
#include "wavelength.h"
#include "wavepeaks.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

// A file whose reads fail once the load is superseded: the WAV reader then
// gives up at its next block, as on any read error.
class CancellableFile final : public QFile
{
public:
    CancellableFile(const QString &name, const std::atomic_bool &cancelled)
        : QFile(name)
        , m_cancelled(cancelled)
    {
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_cancelled.load(std::memory_order_relaxed)) {
            setErrorString(QStringLiteral("the waveform is no longer wanted"));
            return -1;
        }
        return QFile::readData(data, maxSize);
    }

private:
    const std::atomic_bool &m_cancelled;
};

} // namespace

CWaveformLoader::CWaveformLoader(QObject *parent)
    : QObject(parent)
{
}

CWaveformLoader::~CWaveformLoader()
{
    stop();
}

CWaveformLoader::Result CWaveformLoader::read(const QString &wavePath, int width, int height,
                                              const std::atomic_bool &cancelled)
{
    QElapsedTimer timer;
    timer.start();
    Result result;
    if (!cancelled)
        result.seconds = waveLengthSeconds(wavePath);
    {
        CancellableFile wave(wavePath, cancelled);
        auto peaks = std::make_shared<CWavePeaks>();
        if (!cancelled)
            result.image = CreateWaveImage(&wave, width, height, peaks.get());
        if (!peaks->isEmpty())
            result.peaks = std::move(peaks);
    }
    QFile::remove(wavePath);
    result.elapsedMs = timer.elapsed();
    return result;
}

void CWaveformLoader::load(const QString &wavePath, int width, int height)
{
    cancel();
    Worker worker;
    worker.generation = ++m_generation;
    worker.cancelled = std::make_shared<std::atomic_bool>(false);
    // The worker holds its own flag and copies of what it reads; it touches
    // the loader only to post the result, which the destructor waits for.
    worker.thread = std::thread([this, generation = worker.generation, cancelled = worker.cancelled, wavePath,
                                 width, height] {
        Result result = read(wavePath, width, height, *cancelled);
        QMetaObject::invokeMethod(
            this, [this, generation, result = std::move(result)] { deliver(generation, result); },
            Qt::QueuedConnection);
    });
    m_current = worker.generation;
    m_workers.push_back(std::move(worker));
}

void CWaveformLoader::cancel()
{
    for (Worker &worker : m_workers)
        worker.cancelled->store(true);
    m_current = 0;
}

void CWaveformLoader::stop()
{
    cancel();
    for (Worker &worker : m_workers)
        worker.thread.join();
    // Results already posted are dropped: their generation is no longer
    // current, and a loader being destroyed loses its posted events anyway.
    m_workers.clear();
}

void CWaveformLoader::deliver(quint64 generation, const Result &result)
{
    // The worker posted this as its last act: joining it costs nothing.
    for (auto it = m_workers.begin(); it != m_workers.end(); ++it) {
        if (it->generation == generation) {
            it->thread.join();
            m_workers.erase(it);
            break;
        }
    }
    if (generation != m_current)
        return;
    m_current = 0;
    Q_EMIT loaded(result);
}
