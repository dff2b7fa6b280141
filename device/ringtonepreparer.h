#pragma once

#include <QBasicTimer>
#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

class CAVConverter;
class QTemporaryDir;

// One file chosen for the phone, made ready to go there (or not).
struct PreparedRingtone
{
    enum Outcome { Ready, NotAudio, NotConverted };

    QString source;   // the file as chosen
    Outcome outcome = NotAudio;
    QString path;     // Ready: what goes to the phone, the source or its converted copy
    int milliseconds = -1; // Ready: its length
    QString detail;   // NotConverted: the encoder's last words
};

// Makes ringtones of the files the user chose for the phone, one after
// another. A file that already is one (AAC audio alone in an MP4-family
// container) goes as it is; any other file with sound is converted whole,
// through the encoder program as Generate runs it at an unchanged volume
// (AAC, Generate's rate and channels), into "<its name>.m4r" in a private
// temporary folder, since the phone names a ringtone after its file. Probing
// runs on a thread of its own and the encoder is a child process: the GUI
// thread never waits. The converted files live until the next start(),
// clear() or the preparer's end.
class CRingtonePreparer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CRingtonePreparer)

public:
    explicit CRingtonePreparer(QObject *parent = nullptr);
    // Stops an encoder still running; a probe still running ends on its own.
    ~CRingtonePreparer() override;

    // Forgets the last results and prepares files, in order; finished() once
    // all of them are done, never before start() has returned.
    void start(const QStringList &files);
    bool isRunning() const { return running; }
    // In the order given; complete once finished() has come.
    const QList<PreparedRingtone> &results() const { return prepared; }
    // Stops any work without finished() and removes the converted files.
    void clear();

Q_SIGNALS:
    // While a file is converted, every half second: how far, 0 to 100.
    void converting(const QString &source, int percent);
    void finished();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    // One probe, handed to its thread and back under its own mutex: Qt's
    // futures synchronise inside Qt, where thread checkers cannot see it,
    // and a probe that outlives its preparer keeps only this.
    struct ProbeTask
    {
        std::mutex mutex;
        QByteArray path;
        bool done = false;
        int result = -1;
        double seconds = 0.0;
        bool asRingtone = false;
    };

    void next();
    void probe(const QString &path);
    void onProbed();
    void convert();
    void onConverted();
    // Ends the current file with outcome and goes on with the next.
    void settle(PreparedRingtone::Outcome outcome, const QString &path = QString(), int milliseconds = -1,
                const QString &detail = QString());
    QString outputFor(const QString &source);

    QStringList queue;
    QList<PreparedRingtone> prepared;
    bool running = false;
    // The file in hand is its converted copy, probed again.
    bool probingCopy = false;
    double sourceSeconds = 0.0;
    std::shared_ptr<ProbeTask> probeTask;
    QFutureWatcher<void> watcher;
    std::unique_ptr<CAVConverter> converter;
    std::unique_ptr<QTemporaryDir> folder;
    QBasicTimer progressTimer;
};

// The file's length in whole milliseconds from a probe's seconds, -1 when
// it is no length a ringtone can have.
int ringtoneMilliseconds(double seconds);
