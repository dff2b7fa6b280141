// The built program as a user starts it: its command line, one window per
// user and display, and how it ends when told to from outside. Every case
// runs real processes of the program (offscreen).
#include "tonefile.h"
#include "version.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr int kPromptMs = 10000;

// A running program and everything it printed so far.
struct Program
{
    QProcess process;
    QByteArray output;

    bool waitFor(const QByteArray &text, int timeoutMs = 20000)
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            output += process.readAll();
            if (output.contains(text))
                return true;
            if (clock.elapsed() > timeoutMs || process.state() == QProcess::NotRunning)
                return false;
            process.waitForReadyRead(50);
        }
    }
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
};

// The processes whose parent is pid.
QList<qint64> childrenOf(qint64 pid)
{
    QList<qint64> children;
    QDirIterator it(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        bool number = false;
        const qint64 child = it.next().section(u'/', -1).toLongLong(&number);
        if (!number)
            continue;
        QFile stat(it.filePath() + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces and brackets.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == pid)
            children << child;
    }
    return children;
}

// Gone, or a zombie nobody reaps (an orphan in a container without init).
bool processGone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
}

} // namespace

class TestProgram final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void commandLineOptions_data();
    void commandLineOptions();
    void brokenPipesDoNotKill();
    void secondStartHandsOver();
    void secondStartWaitsForABusyWindow();
    void takesOverAfterACrash();
    void startWhileTheFirstEnds();
    void terminationEndsTheJob_data();
    void terminationEndsTheJob();

private:
    QProcessEnvironment environment() const;
    void start(Program &program, const QStringList &args = {});
    // Runs the program to its end; its exit code, -1 if it did not end
    // promptly or crashed.
    int run(const QStringList &args, QByteArray *output = nullptr);
    int run(const QStringList &args, const QProcessEnvironment &env, QByteArray *output);
    // The program's encoder, stopped (SIGSTOP) as soon as it started; -1 if
    // none came.
    pid_t catchEncoder(Program &program);

    QTemporaryDir m_dir;
};

void TestProgram::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(TQ_PROGRAM)), TQ_PROGRAM);
    QVERIFY(writeTone(m_dir.filePath(QStringLiteral("tone.wav")), 3.0));
    QVERIFY(writeTone(m_dir.filePath(QStringLiteral("long.wav")), 120.0));
}

void TestProgram::init()
{
    // A runtime folder (the lock and the socket) and a temporary folder of
    // each case's own.
    for (const char *folder : {"run", "tmp"}) {
        QDir dir(m_dir.filePath(QLatin1String(folder)));
        QVERIFY(dir.removeRecursively());
        QVERIFY(dir.mkpath(QStringLiteral(".")));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
}

QProcessEnvironment TestProgram::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tonquill.diagnostics=true"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("TMPDIR"), m_dir.filePath(QStringLiteral("tmp")));
    return env;
}

void TestProgram::start(Program &program, const QStringList &args)
{
    program.process.setProcessEnvironment(environment());
    program.process.setProcessChannelMode(QProcess::MergedChannels);
    // As from a terminal, whatever this test was started from (a background
    // job of a script has SIGINT ignored, which the program keeps).
    program.process.setChildProcessModifier([] {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGHUP, SIG_DFL);
    });
    program.process.start(QStringLiteral(TQ_PROGRAM), args);
    QVERIFY(program.process.waitForStarted());
}

int TestProgram::run(const QStringList &args, QByteArray *output)
{
    return run(args, environment(), output);
}

int TestProgram::run(const QStringList &args, const QProcessEnvironment &env, QByteArray *output)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TQ_PROGRAM), args);
    if (!process.waitForFinished(kPromptMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output)
        *output = process.readAllStandardOutput() + process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void TestProgram::commandLineOptions_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("display");

    // The crash came about one run in ten: enough runs to see it.
    QTest::newRow("version") << "--version" << 40 << 0 << versionText() << true;
    QTest::newRow("help") << "--help" << 15 << 0 << "Usage:" << true;
    QTest::newRow("unknown option") << "--no-such-option" << 15 << 1 << "Unknown option" << true;
    // On a terminal with no desktop at all (a server, a console login).
    QTest::newRow("version, no display") << "--version" << 3 << 0 << versionText() << false;
    QTest::newRow("-v, no display") << "-v" << 1 << 0 << versionText() << false;
    QTest::newRow("help, no display") << "--help" << 3 << 0 << "Usage:" << false;
    QTest::newRow("-h, no display") << "-h" << 1 << 0 << "--version" << false;
}

void TestProgram::commandLineOptions()
{
    QFETCH(QString, option);
    QFETCH(int, runs);
    QFETCH(int, exitCode);
    QFETCH(QString, text);
    QFETCH(bool, display);
    QProcessEnvironment env = environment();
    if (!display) {
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QLatin1String(name));
    }
    for (int i = 0; i < runs; ++i) {
        QByteArray output;
        const int code = run({option}, env, &output);
        QVERIFY2(code == exitCode, qPrintable(QStringLiteral("run %1 ended with %2: %3")
                                                  .arg(i + 1)
                                                  .arg(code)
                                                  .arg(QString::fromLocal8Bit(output))));
        QVERIFY2(output.contains(text.toUtf8()), output.constData());
    }
}

void TestProgram::brokenPipesDoNotKill()
{
    // A phone's connection closed by the phone must fail a write, not end
    // the program: SIGPIPE is ignored from the start, before any file or
    // phone was touched.
    Program program;
    start(program);
    QVERIFY2(program.waitFor("help page"), program.output.constData());
    QFile status(QStringLiteral("/proc/%1/status").arg(program.process.processId()));
    QVERIFY(status.open(QIODevice::ReadOnly));
    quint64 ignored = 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigIgn:"))
            ignored = line.mid(7).trimmed().toULongLong(nullptr, 16);
    }
    QVERIFY2(ignored & (quint64(1) << (SIGPIPE - 1)), "SIGPIPE is not ignored");
}

void TestProgram::secondStartHandsOver()
{
    Program first;
    start(first);
    QVERIFY2(first.waitFor("help page"), first.output.constData());

    // A file for the running window, which loads it as a drop.
    QElapsedTimer clock;
    clock.start();
    QByteArray said;
    QVERIFY2(run({m_dir.filePath(QStringLiteral("tone.wav"))}, &said) == 0, said.constData());
    QVERIFY2(first.waitFor("CreateWaveImage"), first.output.constData());
    // No file: only the window comes up; no second window either way. The
    // desktop's activation token of that start goes with it: on Wayland the
    // window may take the focus only by presenting it.
    qputenv("XDG_ACTIVATION_TOKEN", "token-of-the-second-start");
    const int exitCode = run({}, &said);
    qunsetenv("XDG_ACTIVATION_TOKEN");
    QVERIFY2(exitCode == 0, said.constData());
    QVERIFY2(first.waitFor("brought to the front with the activation token"), first.output.constData());
    QVERIFY2(clock.elapsed() < 2 * kPromptMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(first.process.state(), QProcess::Running);
}

void TestProgram::secondStartWaitsForABusyWindow()
{
    // The window does not answer for longer than a start waits by itself
    // (stopped here; a slow job on its thread does the same): the later
    // start says so on the screen and hands its file over once the window
    // answers, once.
    Program first;
    start(first);
    QVERIFY2(first.waitFor("help page"), first.output.constData());
    const pid_t busy = pid_t(first.process.processId());
    ::kill(busy, SIGSTOP);
    auto resume = qScopeGuard([busy] { ::kill(busy, SIGCONT); });

    Program second;
    start(second, {m_dir.filePath(QStringLiteral("tone.wav"))});
    QVERIFY2(second.waitFor("with a message on the screen", 2 * kPromptMs), second.output.constData());
    QVERIFY2(second.output.contains("does not answer yet"), second.output.constData());
    QCOMPARE(second.process.state(), QProcess::Running);

    ::kill(busy, SIGCONT);
    QVERIFY2(second.process.waitForFinished(kPromptMs), second.output.constData());
    QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process.exitCode(), 0);
    QVERIFY2(first.waitFor("CreateWaveImage"), first.output.constData());
    QTest::qWait(1000);
    first.output += first.process.readAll();
    QCOMPARE(first.output.count("a later start asked to open"), 1);
    QCOMPARE(first.process.state(), QProcess::Running);
}

void TestProgram::takesOverAfterACrash()
{
    {
        Program crashed;
        start(crashed);
        QVERIFY2(crashed.waitFor("help page"), crashed.output.constData());
        ::kill(pid_t(crashed.process.processId()), SIGKILL);
        QVERIFY(crashed.process.waitForFinished());
    }
    // Its lock and socket are still there; the next start takes them over
    // rather than handing its file to nobody.
    Program next;
    start(next, {m_dir.filePath(QStringLiteral("tone.wav"))});
    QVERIFY2(next.waitFor("help page"), next.output.constData());
    QVERIFY2(next.waitFor("CreateWaveImage"), next.output.constData());
    QCOMPARE(run({}), 0);
    QCOMPARE(next.process.state(), QProcess::Running);
}

void TestProgram::startWhileTheFirstEnds()
{
    // The first is told to end while its encoder hangs: the window takes a
    // while to go. A start meanwhile waits for it and then is the window.
    Program first;
    start(first, {m_dir.filePath(QStringLiteral("long.wav"))});
    const pid_t encoder = catchEncoder(first);
    QVERIFY(encoder > 0);
    ::kill(pid_t(first.process.processId()), SIGTERM);
    QThread::msleep(200);

    Program next;
    start(next, {m_dir.filePath(QStringLiteral("tone.wav"))});
    QVERIFY2(next.waitFor("CreateWaveImage"), next.output.constData());
    QVERIFY(first.process.waitForFinished(kPromptMs));
    QCOMPARE(next.process.state(), QProcess::Running);
    ::kill(encoder, SIGKILL);
}

pid_t TestProgram::catchEncoder(Program &program)
{
    // Caught and held as soon as it is started, so that the job still runs
    // whenever the test needs it to, however fast this machine decodes.
    QElapsedTimer clock;
    clock.start();
    QList<qint64> encoders;
    while (encoders.isEmpty() && clock.elapsed() < 20000 && program.process.state() == QProcess::Running) {
        encoders = childrenOf(program.process.processId());
        if (encoders.isEmpty())
            QThread::usleep(500);
    }
    if (encoders.size() != 1)
        return -1;
    ::kill(pid_t(encoders.first()), SIGSTOP);
    return pid_t(encoders.first());
}

void TestProgram::terminationEndsTheJob_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestProgram::terminationEndsTheJob()
{
    QFETCH(int, signal);
    Program program;
    start(program, {m_dir.filePath(QStringLiteral("long.wav"))});
    // The waveform job's encoder, held until the signal has come.
    const pid_t encoder = catchEncoder(program);
    QVERIFY(encoder > 0);
    ::kill(pid_t(program.process.processId()), signal);
    QThread::msleep(200);
    ::kill(encoder, SIGCONT);
    const bool ended = program.process.waitForFinished(kPromptMs);
    program.output += program.process.readAll();
    QVERIFY2(ended, program.output.constData());
    QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process.exitCode(), 128 + signal);
    QElapsedTimer clock;
    clock.start();
    while (!processGone(encoder) && clock.elapsed() < 5000)
        QThread::msleep(10);
    QVERIFY2(processGone(encoder), "the encoder outlived the program");
    // The private temporary folder went with the window.
    QCOMPARE(QDir(m_dir.filePath(QStringLiteral("tmp"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
