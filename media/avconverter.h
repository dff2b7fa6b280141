#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

// Runs the encoder program beside the application as a child process with a
// fixed command line, follows its "time=" progress and reports its end.
// One job at a time; the owner must not start a job while one runs.
class CAVConverter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAVConverter)

public:
    enum JobType { JobExtractWave = 0, JobEncodeRingtone = 1 };

    CAVConverter();
    ~CAVConverter() override;

    void reset();
    void setInputFile(const QString &path);
    void setOutputFile(const QString &path);
    void setStartTime(double seconds);
    void setDuration(double seconds);
    void setVolume(int value);
    void setFadeIn(int value);
    // Left off the command line when 0, which then stays as it always was.
    void setFadeOut(int value);
    void start(int jobType);
    // Ends a running job as a closing window does, and waits for it: the
    // encoder is asked to stop (it then removes its unfinished file) and
    // killed if it does not within two seconds. Emits no finished(), and
    // the job cannot be used again: for the owner's destruction.
    void stop();

    double currentTime() const { return m_currentTime; }
    int jobType() const { return m_jobType; }
    QString outputFile() const { return m_outputPath; }
    // True when the last job's encoder ran and exited with code 0.
    bool succeeded() const { return m_succeeded; }
    // From start() until finished() is emitted.
    bool isRunning() const { return m_running; }
    // The last line the encoder wrote that is not a progress report: on a
    // failure, what went wrong. Empty when there was none (or it never ran).
    QString lastMessage() const;

Q_SIGNALS:
    void finished();

private Q_SLOTS:
    void onStdoutReady();
    void onProcessFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onProcessError(QProcess::ProcessError error);

private:
    double m_currentTime = 0.0;
    QStringList preInputOptions;
    QString m_inputPath;
    QStringList postInputOptions;
    QString m_outputPath;
    int m_jobType = JobExtractWave;
    QProcess process;
    bool m_succeeded = false;
    // Set by start, cleared when finished() goes out: one finished() per job
    // whichever way the process ends (or fails to begin).
    bool m_running = false;
    // The end of the encoder's output, enough to hold its last lines.
    QByteArray m_outputTail;
};
