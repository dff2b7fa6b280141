// Every way the encoder program can fail: one line naming the file or the
// option, the exit code, and no output file (an older one left untouched).
#include "encodertestutil.h"

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace enctest;

namespace {

const QByteArray OldContent = "an older output that must survive";

} // namespace

class TestEncoderErrors final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void failures_data();
    void failures();
    void badCommandLine_data();
    void badCommandLine();
    void refusesToOverwriteWithoutYes();
    void diskFull();
    void stopRequestLeavesNothing();

private:
    QString fixture(const QString &name) const { return m_dir.filePath(name); }
    void checkNothingWritten(bool hadOld) const;

    QTemporaryDir m_dir;
};

void TestEncoderErrors::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(encoderPath()), qPrintable(encoderPath()));
    QVERIFY(reference({"-f", "lavfi", "-i", "sine=f=440:r=44100:d=3", "-ac", "2", "-c:a", "pcm_s16le",
                       fixture("good.wav")}));
    QVERIFY(reference({"-f", "lavfi", "-i", "testsrc=d=1:s=64x48", "-c:v", "mpeg4", fixture("silent.mp4")}));
    // A FLAC file whose header is sound and whose frames are noise.
    QVERIFY(reference({"-i", fixture("good.wav"), "-c:a", "flac", fixture("damaged.flac")}));
    QFile flac(fixture("damaged.flac"));
    QVERIFY(flac.open(QIODevice::ReadWrite));
    QByteArray bytes = flac.readAll();
    for (qsizetype i = 200; i < bytes.size(); ++i)
        bytes[i] = char(0x55);
    flac.seek(0);
    flac.write(bytes);
    flac.close();
    QFile junk(fixture("junk.mp3"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    for (int i = 0; i < 4096; ++i)
        junk.putChar(char((i * 7919) >> 3));
    junk.close();
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.mp3")));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("out")));
}

void TestEncoderErrors::init()
{
    // Each case starts from an output folder holding only the older file.
    QDir out(fixture("out"));
    for (const QString &name : out.entryList(QDir::Files))
        out.remove(name);
    QVERIFY(out.mkpath(QStringLiteral("folder.m4a")));
    QFile old(fixture("out/old.m4a"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(OldContent);
}

void TestEncoderErrors::checkNothingWritten(bool hadOld) const
{
    QStringList expected;
    if (hadOld)
        expected << QStringLiteral("old.m4a");
    QCOMPARE(QDir(fixture("out")).entryList(QDir::Files), expected);
    if (hadOld) {
        QFile old(fixture("out/old.m4a"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), OldContent);
    }
}

void TestEncoderErrors::failures_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("named");   // the file the line must name
    QTest::addColumn<QString>("errText"); // the library's text in it

    const QStringList none;
    QTest::newRow("missing input") << "nothing.mp3" << none << "out/new.m4a" << "nothing.mp3"
                                   << "No such file or directory";
    QTest::newRow("missing input, old output") << "nothing.mp3" << none << "out/old.m4a" << "nothing.mp3"
                                               << "No such file or directory";
    QTest::newRow("folder as input") << "folder.mp3" << none << "out/old.m4a" << "folder.mp3" << "Is a directory";
    QTest::newRow("not media") << "junk.mp3" << none << "out/old.m4a" << "junk.mp3" << "(";
    QTest::newRow("no audio") << "silent.mp4" << none << "out/old.m4a" << "silent.mp4" << "Stream not found";
    QTest::newRow("undecodable") << "damaged.flac" << none << "out/old.m4a" << "damaged.flac"
                                 << "Invalid data found when processing input";
    QTest::newRow("start beyond the end") << "good.wav" << QStringList{"-ss", "5"} << "out/old.m4a" << "good.wav"
                                          << "End of file";
    QTest::newRow("missing output folder") << "good.wav" << none << "out/none/new.m4a" << "out/none/new.m4a"
                                           << "No such file or directory";
    QTest::newRow("output is a folder") << "good.wav" << none << "out/folder.m4a" << "out/folder.m4a"
                                        << "Is a directory";
    QTest::newRow("unknown output kind") << "good.wav" << none << "out/new.xyz" << "out/new.xyz"
                                         << "Muxer not found";
}

void TestEncoderErrors::failures()
{
    QFETCH(QString, input);
    QFETCH(QStringList, options);
    QFETCH(QString, output);
    QFETCH(QString, named);
    QFETCH(QString, errText);

    const QString outputPath = fixture(output);
    const Run run = runEncoder(options + QStringList{"-y", "-i", fixture(input), "-vol", "384", "-fadein", "2", "-vn",
                                                     "-ab", "192K", "-ac", "2", "-ar", "44100", outputPath});
    QCOMPARE(run.exitStatus, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    // Progress lines may come before it on a slow machine; the error is one.
    const QStringList lines = run.messageLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(QLatin1Char('\'') + fixture(named) + QLatin1Char('\'')), qPrintable(lines.first()));
    QVERIFY2(lines.first().contains(errText), qPrintable(lines.first()));
    checkNothingWritten(true);
}

void TestEncoderErrors::badCommandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named");

    QTest::newRow("unknown option") << QStringList{"-y", "-i", "IN", "-acodec", "aac", "OUT"} << "'acodec'";
    QTest::newRow("malformed start") << QStringList{"-ss", "1:30", "-y", "-i", "IN", "OUT"} << "'ss'";
    QTest::newRow("malformed volume") << QStringList{"-y", "-i", "IN", "-vol", "loud", "OUT"} << "'vol'";
    QTest::newRow("missing value") << QStringList{"-y", "-i", "IN", "OUT", "-ar"} << "'ar'";
}

void TestEncoderErrors::badCommandLine()
{
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    args.replaceInStrings(QStringLiteral("IN"), fixture("good.wav"));
    args.replaceInStrings(QStringLiteral("OUT"), fixture("out/new.m4a"));
    const Run run = runEncoder(args);
    QCOMPARE(run.exitCode, 2);
    const QStringList lines = run.errorLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(named), qPrintable(lines.first()));
    checkNothingWritten(true);
}

void TestEncoderErrors::refusesToOverwriteWithoutYes()
{
    const Run run = runEncoder({"-i", fixture("good.wav"), fixture("out/old.m4a")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.errorLines().size(), 1);
    QVERIFY(run.errorLines().first().contains(fixture("out/old.m4a")));
    checkNothingWritten(true);
}

void TestEncoderErrors::diskFull()
{
#ifdef Q_OS_UNIX
    // A file size limit makes writes fail part-way like a full disk; the
    // encoder must not let SIGXFSZ kill it before it can clean up.
    const auto limitFileSize = [](QProcess &process) {
        process.setChildProcessModifier([] {
            const rlimit limit{64 * 1024, 64 * 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    };
    for (const QString &output : {QStringLiteral("out/old.m4a"), QStringLiteral("out/new.wav")}) {
        const Run run = runEncoder({"-y", "-i", fixture("good.wav"), "-vn", "-ab", "192K", "-ac", "2", "-ar", "44100",
                                    fixture(output)},
                                   limitFileSize);
        QCOMPARE(run.exitCode, 1);
        const QStringList lines = run.messageLines();
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains(fixture(output)), qPrintable(lines.first()));
        QVERIFY2(lines.first().contains(QLatin1String("File too large")), qPrintable(lines.first()));
        checkNothingWritten(true);
    }
#else
    QSKIP("needs a file size limit");
#endif
}

void TestEncoderErrors::stopRequestLeavesNothing()
{
#ifdef Q_OS_UNIX
    QVERIFY(reference({"-f", "lavfi", "-i", "sine=f=440:r=44100:d=120", "-ac", "2", "-c:a", "pcm_s16le",
                       fixture("long.wav")}));
    QProcess encoder;
    encoder.start(encoderPath(), {"-y", "-i", fixture("long.wav"), "-vn", "-ab", "192K", "-ac", "2", "-ar",
                                  "44100", fixture("out/old.m4a")});
    QVERIFY(encoder.waitForStarted());
    // Stop it once it is writing its unfinished file.
    const QDir out(fixture("out"));
    QElapsedTimer waited;
    waited.start();
    while (out.entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty() && waited.elapsed() < 10000
           && encoder.state() == QProcess::Running)
        QThread::msleep(2);
    QVERIFY2(encoder.state() == QProcess::Running, "the job ended before it could be stopped");
    encoder.terminate();
    QVERIFY(encoder.waitForFinished(5000));
    QCOMPARE(encoder.exitStatus(), QProcess::NormalExit);
    QCOMPARE(encoder.exitCode(), 1);
    QVERIFY(QString::fromUtf8(encoder.readAllStandardError()).contains(QLatin1String("Stopped before output file")));
    checkNothingWritten(true);
#else
    QSKIP("stops through SIGTERM");
#endif
}

QTEST_GUILESS_MAIN(TestEncoderErrors)
#include "tst_encoder_errors.moc"
