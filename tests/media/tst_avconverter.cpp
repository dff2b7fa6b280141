#include "avconverter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#endif

namespace {

// Debug lines seen while a job runs; the progress line is the only trace of
// how much each notification read.
QStringList capturedLines;
QtMessageHandler previousHandler = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg)
        capturedLines << text;
    previousHandler(type, context, text);
}

struct Progress
{
    qint64 index;
    qint64 length;
    QString time;
};

QList<Progress> progressLines()
{
    static const QRegularExpression pattern(QStringLiteral("^ i=(\\d+) len=(\\d+) time=(.*)$"));
    QList<Progress> result;
    for (const QString &line : std::as_const(capturedLines)) {
        const auto match = pattern.match(line);
        if (match.hasMatch())
            result.append({match.captured(1).toLongLong(), match.captured(2).toLongLong(), match.captured(3)});
    }
    return result;
}

const QStringList fixedTail = {QStringLiteral("-vn"), QStringLiteral("-ab"), QStringLiteral("192K"),
                               QStringLiteral("-ac"), QStringLiteral("2"),   QStringLiteral("-ar"),
                               QStringLiteral("44100")};

} // namespace

class TestAVConverter : public QObject
{
    Q_OBJECT

private:
    QStringList recordedArguments() const;
    void addChunk(const QString &name, const QByteArray &data);
    bool runJob(CAVConverter &job, int jobType);

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_chunks = 0;

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void waveformJobArguments();
    void ringtoneJobArguments_data();
    void ringtoneJobArguments();
    void resetClearsOptions();
    void progress_data();
    void progress();
    void longOutputIsReadIn256BytePieces();
    void exitStatus_data();
    void exitStatus();
    void finishedOncePerJob();
    void destroyingRunningJobKillsEncoder();
    void encoderEndsWhenItsProgramDies();
};

void TestAVConverter::initTestCase()
{
    QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg"))
                 || QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg.exe")),
             "stand-in encoder missing beside the test");
    // The progress lines are diagnostics, off unless asked for.
    QLoggingCategory::setFilterRules(QStringLiteral("tonquill.diagnostics.debug=true"));
    previousHandler = qInstallMessageHandler(captureMessage);
}

void TestAVConverter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("chunks")));
    m_chunks = 0;
    qputenv("TQ_FAKE_ENCODER_ARGS", m_dir->filePath(QStringLiteral("args.txt")).toLocal8Bit());
    qputenv("TQ_FAKE_ENCODER_PID", m_dir->filePath(QStringLiteral("pid.txt")).toLocal8Bit());
    qputenv("TQ_FAKE_ENCODER_CHUNKS", m_dir->filePath(QStringLiteral("chunks")).toLocal8Bit());
    qputenv("TQ_FAKE_ENCODER_PAUSE_MS", "200");
    qunsetenv("TQ_FAKE_ENCODER_EXIT");
    capturedLines.clear();
}

void TestAVConverter::cleanup()
{
    QLocale::setDefault(QLocale::c());
    m_dir.reset();
}

QStringList TestAVConverter::recordedArguments() const
{
    QFile file(m_dir->filePath(QStringLiteral("args.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TestAVConverter::addChunk(const QString &suffix, const QByteArray &data)
{
    QFile file(m_dir->filePath(QStringLiteral("chunks/%1.%2").arg(m_chunks++, 3, 10, QLatin1Char('0')).arg(suffix)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

bool TestAVConverter::runJob(CAVConverter &job, int jobType)
{
    QSignalSpy spy(&job, &CAVConverter::finished);
    job.start(jobType);
    return spy.wait(20000) && spy.count() == 1;
}

void TestAVConverter::waveformJobArguments()
{
    CAVConverter job;
    job.reset();
    job.setInputFile(QStringLiteral("/media/in put/Song (1).mp3"));
    const QString output = m_dir->filePath(QStringLiteral("Song.wav"));
    job.setOutputFile(output);
    QVERIFY(runJob(job, CAVConverter::JobExtractWave));

    const QStringList expected = QStringList{QStringLiteral("-y"), QStringLiteral("-i"),
                                             QStringLiteral("/media/in put/Song (1).mp3")}
                                 + fixedTail
                                 + QStringList{QStringLiteral("-nosync"), QDir::toNativeSeparators(output)};
    QCOMPARE(recordedArguments(), expected);
    QCOMPARE(job.jobType(), int(CAVConverter::JobExtractWave));
    QCOMPARE(job.outputFile(), QDir::toNativeSeparators(output));
    QVERIFY(job.succeeded());
}

void TestAVConverter::ringtoneJobArguments_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("length");
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("fadeIn");
    QTest::addColumn<int>("fadeOut"); // none leaves the command line as it always was
    QTest::addColumn<bool>("commaLocale");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("lengthText");

    // Whole milliseconds, exact however long the file: a start of 11527.437 s
    // must not become 11527.4 s.
    QTest::newRow("zero start") << 0.0 << 20.5 << 256 << 0 << 0 << false << "0ms" << "20500ms";
    QTest::newRow("whole seconds") << 30.0 << 10.0 << 512 << 3 << 0 << false << "30000ms" << "10000ms";
    QTest::newRow("late start") << 11527.437 << 12345.678 << 1024 << 10 << 4 << false << "11527437ms" << "12345678ms";
    QTest::newRow("a day in") << 86399.999 << 0.001 << 256 << 0 << 0 << false << "86399999ms" << "1ms";
    QTest::newRow("comma locale") << 12.5 << 12345.678 << 128 << 5 << 0 << true << "12500ms" << "12345678ms";
    QTest::newRow("comma locale, small") << 0.125 << 29.999 << 256 << 1 << 10 << true << "125ms" << "29999ms";
}

void TestAVConverter::ringtoneJobArguments()
{
    QFETCH(double, start);
    QFETCH(double, length);
    QFETCH(int, volume);
    QFETCH(int, fadeIn);
    QFETCH(int, fadeOut);
    QFETCH(bool, commaLocale);
    QFETCH(QString, startText);
    QFETCH(QString, lengthText);

    if (commaLocale) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    }

    CAVConverter job;
    job.reset();
    job.setInputFile(QStringLiteral("in.mp4"));
    job.setStartTime(start);
    job.setDuration(length);
    job.setVolume(volume);
    job.setFadeIn(fadeIn);
    job.setFadeOut(fadeOut);
    job.setOutputFile(QStringLiteral("out/Ring.m4a"));
    QVERIFY(runJob(job, CAVConverter::JobEncodeRingtone));

    const QStringList expected = QStringList{QStringLiteral("-ss"), startText,          QStringLiteral("-t"),
                                             lengthText,           QStringLiteral("-y"), QStringLiteral("-i"),
                                             QStringLiteral("in.mp4"), QStringLiteral("-vol"), QString::number(volume),
                                             QStringLiteral("-fadein"), QString::number(fadeIn)}
                                 + (fadeOut > 0 ? QStringList{QStringLiteral("-fadeout"), QString::number(fadeOut)}
                                                : QStringList{})
                                 + fixedTail + QStringList{QDir::toNativeSeparators(QStringLiteral("out/Ring.m4a"))};
    QCOMPARE(recordedArguments(), expected);
    QCOMPARE(job.jobType(), int(CAVConverter::JobEncodeRingtone));
}

void TestAVConverter::resetClearsOptions()
{
    CAVConverter job;
    job.setInputFile(QStringLiteral("a.mp3"));
    job.setStartTime(1);
    job.setStartTime(2);
    job.setVolume(300);
    job.setOutputFile(QStringLiteral("a.m4a"));
    QVERIFY(runJob(job, CAVConverter::JobEncodeRingtone));
    // Setters append: a repeated one appears twice.
    QCOMPARE(recordedArguments().mid(0, 7),
             (QStringList{"-ss", "1000ms", "-ss", "2000ms", "-y", "-i", "a.mp3"}));

    job.reset();
    job.setInputFile(QStringLiteral("b.mp3"));
    job.setOutputFile(QStringLiteral("b.wav"));
    QVERIFY(runJob(job, CAVConverter::JobExtractWave));
    QCOMPARE(recordedArguments(), QStringList({"-y", "-i", "b.mp3"}) + fixedTail + QStringList({"-nosync", "b.wav"}));
}

void TestAVConverter::progress_data()
{
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<double>("expected");

    QTest::newRow("progress line")
        << QStringList{"size=     256kB time=12.34 bitrate= 170.2kbits/s\r"} << 12.34;
    QTest::newRow("last report wins")
        << QStringList{"size= 1kB time=3.5 bitrate=1\r", "size= 2kB time=7.25 bitrate=1\r"} << 7.25;
    QTest::newRow("value runs to the end") << QStringList{"time=5 x\r", "size= 2kB time=7.25"} << 5.0;
    QTest::newRow("clock format gives zero") << QStringList{"time=5 x\r", "time=00:00:12.34 bitrate=1\r"} << 0.0;
    QTest::newRow("no report") << QStringList{"Input #0, mp3, from 'a.mp3':\n"} << 0.0;
    QTest::newRow("error stream merged") << QStringList{"err:time=4.5 bitrate=1\r"} << 4.5;
}

void TestAVConverter::progress()
{
    QFETCH(QStringList, chunks);
    QFETCH(double, expected);

    for (const QString &chunk : std::as_const(chunks))
        addChunk(chunk.startsWith(QLatin1String("err:")) ? QStringLiteral("err") : QStringLiteral("out"),
                 chunk.startsWith(QLatin1String("err:")) ? chunk.mid(4).toLatin1() : chunk.toLatin1());

    CAVConverter job;
    job.setInputFile(QStringLiteral("a.mp3"));
    job.setOutputFile(QStringLiteral("a.wav"));
    QVERIFY(runJob(job, CAVConverter::JobExtractWave));
    QCOMPARE(job.currentTime(), expected);
    QCOMPARE(progressLines().size(), chunks.size());
    QCOMPARE(progressLines().constLast().time, QString::number(expected));
}

void TestAVConverter::longOutputIsReadIn256BytePieces()
{
    // 768 bytes in one write, then two single bytes: each notification may
    // take only the next 256 bytes of what is buffered.
    QByteArray burst;
    for (int piece = 1; piece <= 3; ++piece)
        burst += QByteArray("time=") + QByteArray::number(piece) + ' ' + QByteArray(256 - 7, 'x');
    QCOMPARE(burst.size(), 768);
    addChunk(QStringLiteral("out"), burst);
    addChunk(QStringLiteral("out"), "y");
    addChunk(QStringLiteral("out"), "z");

    CAVConverter job;
    job.setInputFile(QStringLiteral("a.mp3"));
    job.setOutputFile(QStringLiteral("a.wav"));
    QVERIFY(runJob(job, CAVConverter::JobExtractWave));

    const QList<Progress> lines = progressLines();
    QVERIFY(lines.size() >= 3);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(lines.at(k).length, 256);
        QCOMPARE(lines.at(k).time, QString::number(k + 1));
        if (k > 0)
            QCOMPARE(lines.at(k).index, lines.at(k - 1).index + 1);
    }
    QCOMPARE(job.currentTime(), 3.0);
}

void TestAVConverter::exitStatus_data()
{
    QTest::addColumn<QByteArray>("exit");
    QTest::addColumn<bool>("succeeded");

    QTest::newRow("success") << QByteArray("0") << true;
    QTest::newRow("error exit") << QByteArray("1") << false;
    QTest::newRow("crash") << QByteArray("crash") << false;
}

void TestAVConverter::exitStatus()
{
    QFETCH(QByteArray, exit);
    QFETCH(bool, succeeded);

    qputenv("TQ_FAKE_ENCODER_EXIT", exit);
    addChunk(QStringLiteral("err"), "Conversion failed!\n");
    CAVConverter job;
    job.setInputFile(QStringLiteral("a.mp3"));
    job.setOutputFile(QStringLiteral("a.m4a"));
    QVERIFY(runJob(job, CAVConverter::JobEncodeRingtone));
    QCOMPARE(job.succeeded(), succeeded);
}

void TestAVConverter::finishedOncePerJob()
{
    CAVConverter job;
    QSignalSpy spy(&job, &CAVConverter::finished);
    job.setInputFile(QStringLiteral("a.mp3"));
    job.setOutputFile(QStringLiteral("a.wav"));
    job.start(CAVConverter::JobExtractWave);
    QVERIFY(spy.wait(20000));
    job.start(CAVConverter::JobExtractWave);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 20000);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 2);
}

void TestAVConverter::destroyingRunningJobKillsEncoder()
{
    qputenv("TQ_FAKE_ENCODER_PAUSE_MS", "60000");
    addChunk(QStringLiteral("out"), "started\n");
    addChunk(QStringLiteral("out"), "never\n");

    int finishedCount = 0;
    auto job = std::make_unique<CAVConverter>();
    connect(job.get(), &CAVConverter::finished, this, [&finishedCount] { ++finishedCount; });
    job->setInputFile(QStringLiteral("a.mp3"));
    job->setOutputFile(QStringLiteral("a.wav"));
    job->start(CAVConverter::JobExtractWave);
    QTRY_VERIFY_WITH_TIMEOUT(!progressLines().isEmpty(), 20000);

    QFile pidFile(m_dir->filePath(QStringLiteral("pid.txt")));
    QVERIFY(pidFile.open(QIODevice::ReadOnly));
    const qint64 pid = pidFile.readAll().trimmed().toLongLong();
    QVERIFY(pid > 0);

    QElapsedTimer timer;
    timer.start();
    job.reset();
    QVERIFY(timer.elapsed() < 10000);
    QCoreApplication::processEvents();
    QCOMPARE(finishedCount, 0);
#ifdef Q_OS_UNIX
    QVERIFY(::kill(pid_t(pid), 0) == -1 && errno == ESRCH);
#endif
}

void TestAVConverter::encoderEndsWhenItsProgramDies()
{
#ifdef Q_OS_LINUX
    // A window that crashes (or is killed) mid-job must not leave its encoder
    // writing for hours: the encoder is told as the program goes.
    qputenv("TQ_FAKE_ENCODER_PAUSE_MS", "60000");
    addChunk(QStringLiteral("out"), "started\n");
    addChunk(QStringLiteral("out"), "never\n");
    QProcess host;
    host.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tq_converter_host"), {});
    QVERIFY(host.waitForStarted());
    QFile pidFile(m_dir->filePath(QStringLiteral("pid.txt")));
    QTRY_VERIFY_WITH_TIMEOUT(pidFile.exists() && pidFile.size() > 0, 20000);
    QVERIFY(pidFile.open(QIODevice::ReadOnly));
    const qint64 pid = pidFile.readAll().trimmed().toLongLong();
    QVERIFY(pid > 0);

    host.kill();
    QVERIFY(host.waitForFinished());
    // Gone, or a zombie that nobody reaps (an orphan in a container whose
    // first process does not).
    const auto gone = [pid] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return true;
        const QByteArray text = stat.readAll();
        return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
    };
    QTRY_VERIFY_WITH_TIMEOUT(gone(), 5000);
#else
    QSKIP("a parent-death signal is Linux's");
#endif
}

QTEST_GUILESS_MAIN(TestAVConverter)
#include "tst_avconverter.moc"
