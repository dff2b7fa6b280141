// How the encoder program ends when it is not let finish: a stop while it
// waits for its input, a reader of its output that went away, and a finished
// file that must be on the disk before it takes the output's name. Each way
// leaves no partial file and no output.
#include "encodertestutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace enctest;

namespace {

// A WAV header for 16-bit stereo 44.1 kHz that announces seconds of sound.
QByteArray wavHeader(quint32 seconds)
{
    const quint32 rate = 44100, dataSize = seconds * rate * 4;
    QByteArray header;
    const auto put32 = [&header](quint32 v) {
        for (int i = 0; i < 4; ++i)
            header.append(char((v >> (8 * i)) & 0xFF));
    };
    const auto put16 = [&header](quint16 v) {
        header.append(char(v & 0xFF));
        header.append(char(v >> 8));
    };
    header.append("RIFF");
    put32(36 + dataSize);
    header.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(2);
    put32(rate);
    put32(rate * 4);
    put16(4);
    put16(16);
    header.append("data");
    put32(dataSize);
    return header;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Waits until the process has a handler for SIGTERM (a slow start, under a
// sanitizer, may not have got that far yet); false if it never does.
bool waitForStopHandler(qint64 pid)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("SigCgt:")
                && (line.mid(7).trimmed().toULongLong(nullptr, 16) & (quint64(1) << (SIGTERM - 1))))
                return true;
        }
        QThread::msleep(10);
    }
    return false;
}

// Waits for a child started with fork(); false if it is still running.
bool waitForChild(pid_t pid, int timeoutMs, int &status)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return true;
        QThread::msleep(10);
    }
    return false;
}

} // namespace

class TestEncoderEnding final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void stopWhileWaitingForInput_data();
    void stopWhileWaitingForInput();
    void readerGoneStops();
    void dataOnDiskBeforeRename();
    void failedSyncIsFailure();
    void scratchOutputIsNotSynced();

private:
    QString fixture(const QString &name) const { return m_dir.filePath(name); }
    QStringList jobArgs(const QString &input, const QString &output) const
    {
        return {"-y", "-i", input, "-vn", "-ab", "192K", "-ac", "2", "-ar", "44100", output};
    }
    void checkNoOutput() const;
    QProcessEnvironment spyEnvironment(bool failSync) const;

    QTemporaryDir m_dir;
};

void TestEncoderEnding::initTestCase()
{
    // Writing to a pipe whose reader is gone must fail here, not kill us.
    std::signal(SIGPIPE, SIG_IGN);
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(encoderPath()), qPrintable(encoderPath()));
    QVERIFY(QFile::exists(QStringLiteral(TQ_SYNCSPY_PATH)));
    QVERIFY(reference({"-f", "lavfi", "-i", "sine=f=440:r=44100:d=3", "-ac", "2", "-c:a", "pcm_s16le",
                       fixture("good.wav")}));
}

void TestEncoderEnding::init()
{
    QDir out(fixture("out"));
    QVERIFY(out.removeRecursively());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("out")));
    QFile::remove(fixture("pipe.wav"));
    QCOMPARE(::mkfifo(QFile::encodeName(fixture("pipe.wav")).constData(), 0600), 0);
}

void TestEncoderEnding::checkNoOutput() const
{
    QCOMPARE(QDir(fixture("out")).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestEncoderEnding::stopWhileWaitingForInput_data()
{
    QTest::addColumn<bool>("writerOpen");
    // The open of a named pipe blocks until someone opens it for writing.
    QTest::newRow("nobody writes") << false;
    // Opened, then silent: the first read blocks.
    QTest::newRow("writer is silent") << true;
}

void TestEncoderEnding::stopWhileWaitingForInput()
{
    QFETCH(bool, writerOpen);
    QProcess encoder;
    encoder.start(encoderPath(), jobArgs(fixture("pipe.wav"), fixture("out/new.m4a")));
    QVERIFY(encoder.waitForStarted());
    QVERIFY(waitForStopHandler(encoder.processId()));
    int writer = -1;
    if (writerOpen) {
        writer = ::open(QFile::encodeName(fixture("pipe.wav")).constData(), O_WRONLY | O_CLOEXEC);
        QVERIFY(writer >= 0);
        QVERIFY(writeAll(writer, "RIFF"));
    }
    // Long enough to be blocked in the open or the read.
    QThread::msleep(300);
    QCOMPARE(encoder.state(), QProcess::Running);

    encoder.terminate();
    const bool ended = encoder.waitForFinished(5000);
    if (!ended) {
        encoder.kill();
        encoder.waitForFinished();
    }
    if (writer >= 0)
        ::close(writer);
    QVERIFY2(ended, "SIGTERM did not end an encoder waiting for its input");
    QCOMPARE(encoder.exitStatus(), QProcess::NormalExit);
    QCOMPARE(encoder.exitCode(), 1);
    const QString message = QString::fromUtf8(encoder.readAllStandardError());
    QVERIFY2(message.contains(QLatin1String("Stopped before output file")), qPrintable(message));
    checkNoOutput();
}

void TestEncoderEnding::readerGoneStops()
{
    // As in `ffmpeg ... 2>&1 | head -c 10`: the reader of the progress lines
    // takes a few bytes and goes, while the job still has work.
    int output[2];
    QCOMPARE(::pipe2(output, O_CLOEXEC), 0);
    const QByteArray program = QFile::encodeName(encoderPath());
    QList<QByteArray> args{program};
    for (const QString &arg : jobArgs(fixture("pipe.wav"), fixture("out/new.m4a")))
        args << QFile::encodeName(arg);
    std::vector<char *> argv;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(output[1], STDERR_FILENO);
        ::dup2(output[1], STDOUT_FILENO);
        // The default disposition, as a shell gives it.
        std::signal(SIGPIPE, SIG_DFL);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    QVERIFY(pid > 0);
    ::close(output[1]);

    const int feed = ::open(QFile::encodeName(fixture("pipe.wav")).constData(), O_WRONLY | O_CLOEXEC);
    QVERIFY(feed >= 0);
    QVERIFY(writeAll(feed, wavHeader(3600)));
    const QByteArray second(44100 * 4, '\x10');
    QElapsedTimer clock;
    clock.start();
    qint64 closedAt = -1;
    // Sound at a steady pace, so that the job keeps making progress (and
    // reporting it) after its reader is gone.
    while (clock.elapsed() < 20000 && (closedAt < 0 || clock.elapsed() - closedAt < 2000)) {
        if (!writeAll(feed, second))
            break; // the encoder is gone
        if (closedAt < 0) {
            pollfd ready{output[0], POLLIN, 0};
            if (::poll(&ready, 1, 0) == 1) {
                char head[10];
                QVERIFY(::read(output[0], head, sizeof head) > 0);
                ::close(output[0]);
                closedAt = clock.elapsed();
            }
        }
        QThread::msleep(20);
    }
    ::close(feed);
    if (closedAt < 0)
        ::close(output[0]);
    int status = 0;
    const bool ended = waitForChild(pid, 10000, status);
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    QVERIFY2(closedAt >= 0, "the encoder reported no progress");
    QVERIFY(ended);
    QVERIFY2(WIFEXITED(status), qPrintable(QStringLiteral("killed by signal %1").arg(WTERMSIG(status))));
    QCOMPARE(WEXITSTATUS(status), 1);
    checkNoOutput();
}

QProcessEnvironment TestEncoderEnding::spyEnvironment(bool failSync) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TQ_SYNCSPY_PATH));
    env.insert(QStringLiteral("TQ_SYNCSPY_LOG"), fixture("sync.log"));
    if (failSync)
        env.insert(QStringLiteral("TQ_SYNCSPY_FAIL"), QStringLiteral("1"));
    // A sanitized encoder wants its runtime first; the spy only wraps calls.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    QFile::remove(fixture("sync.log"));
    return env;
}

void TestEncoderEnding::dataOnDiskBeforeRename()
{
    const QString target = fixture("out/new.m4a");
    const QProcessEnvironment env = spyEnvironment(false);
    const Run run = runEncoder(jobArgs(fixture("good.wav"), target),
                               [&env](QProcess &process) { process.setProcessEnvironment(env); });
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QFile::exists(target));

    QFile log(fixture("sync.log"));
    QVERIFY2(log.open(QIODevice::ReadOnly), "the encoder never synced nor renamed a file");
    const QStringList events = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const qsizetype renamed = events.indexOf(QRegularExpression(QStringLiteral("^rename .*\\.part ")
                                                                + QRegularExpression::escape(target) + u'$'));
    QVERIFY2(renamed >= 0, qPrintable(events.join(u'\n')));
    // The system names synced files by their real path.
    const QString folder = QDir(fixture("out")).canonicalPath();
    const QString part = folder + u'/' + QFileInfo(events[renamed].section(u' ', 1, 1)).fileName();
    // The file's data, then its name, then the folder that holds the name.
    const qsizetype dataSynced = events.indexOf(QStringLiteral("fsync ") + part);
    QVERIFY2(dataSynced >= 0 && dataSynced < renamed, qPrintable(events.join(u'\n')));
    QVERIFY2(events.lastIndexOf(QStringLiteral("fsync ") + folder) > renamed, qPrintable(events.join(u'\n')));
}

void TestEncoderEnding::failedSyncIsFailure()
{
    const QString target = fixture("out/new.m4a");
    const QProcessEnvironment env = spyEnvironment(true);
    const Run run = runEncoder(jobArgs(fixture("good.wav"), target),
                               [&env](QProcess &process) { process.setProcessEnvironment(env); });
    QCOMPARE(run.exitStatus, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.messageLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(target), qPrintable(lines.first()));
    QVERIFY2(lines.first().contains(QLatin1String("Input/output error")), qPrintable(lines.first()));
    checkNoOutput();
}

// The window's waveform WAV is read once and removed: waiting for hundreds of
// megabytes to reach the disk only delays the picture.
void TestEncoderEnding::scratchOutputIsNotSynced()
{
    const QString target = fixture("out/wave.wav");
    QStringList args = jobArgs(fixture("good.wav"), target);
    args.insert(args.size() - 1, QStringLiteral("-nosync"));
    const QProcessEnvironment env = spyEnvironment(false);
    const Run run = runEncoder(args, [&env](QProcess &process) { process.setProcessEnvironment(env); });
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QFile::exists(target));
    QFile log(fixture("sync.log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList events = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(events.filter(QRegularExpression(QStringLiteral("^rename "))).size() == 1, qPrintable(events.join(u'\n')));
    QVERIFY2(events.filter(QRegularExpression(QStringLiteral("^fsync "))).isEmpty(), qPrintable(events.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestEncoderEnding)
#include "tst_encoder_ending.moc"
