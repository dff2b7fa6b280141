// The built program making ringtones without a window: every run has no
// display at all, so a QApplication anywhere on this path would abort it.

#include "mediainfo.h"
#include "tonefile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

#include <functional>

namespace {

struct Result
{
    int exitCode = -1;
    QString out;
    QString err;
};

double lengthOf(const QString &path)
{
    CMediaInfo info;
    return info.open(QDir::toNativeSeparators(path).toUtf8().constData()) == 0 ? info.duration() : -1.0;
}

} // namespace

class TestRingtoneCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void times_data();
    void times();
    void badTimes_data();
    void badTimes();
    void batchWithABadFile();
    void longerThanThePhoneLists();
    void names_data();
    void names();
    void severalFilesNeedAFolder();
    void volumes();
    void fullDisk();
    void toPhone_data();
    void toPhone();
    void noPhone();
    void suggestion();
    void help();

private:
    Result run(const QStringList &arguments, const QProcessEnvironment &extra = {},
               const std::function<void()> &inChild = {}, int timeoutMs = 60000);
    QStringList ringtones(const QString &folder) const;

    QTemporaryDir dir;
    QString tone90;
    QString tone60;
    QString tone20;
    QString out;
};

void TestRingtoneCommand::initTestCase()
{
    QVERIFY(dir.isValid());
    tone90 = dir.filePath(QStringLiteral("ninety.wav"));
    tone60 = dir.filePath(QStringLiteral("sixty.wav"));
    tone20 = dir.filePath(QStringLiteral("twenty.wav"));
    QVERIFY(writeTone(tone90, 90));
    QVERIFY(writeTone(tone60, 60));
    QVERIFY(writeTone(tone20, 20));
    QFile bad(dir.filePath(QStringLiteral("bad.mp3")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("this is no sound at all\n");
}

void TestRingtoneCommand::init()
{
    static int round = 0;
    out = dir.filePath(QStringLiteral("out%1").arg(++round));
}

Result TestRingtoneCommand::run(const QStringList &arguments, const QProcessEnvironment &extra,
                                const std::function<void()> &inChild, int timeoutMs)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TONQUILL_SIMULATED_PHONE",
                             "USBMUXD_SOCKET_ADDRESS"})
        env.remove(QString::fromLatin1(name));
    env.insert(extra);
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.path());
#ifdef Q_OS_UNIX
    if (inChild)
        program.setChildProcessModifier(inChild);
#else
    Q_UNUSED(inChild);
#endif
    program.start(QStringLiteral(TQ_PROGRAM), QStringList{QStringLiteral("--ringtone")} + arguments);
    Result result;
    if (!program.waitForFinished(timeoutMs)) {
        program.kill();
        program.waitForFinished();
        result.err = QStringLiteral("timed out");
        return result;
    }
    result.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    result.out = QString::fromUtf8(program.readAllStandardOutput());
    result.err = QString::fromUtf8(program.readAllStandardError());
    return result;
}

QStringList TestRingtoneCommand::ringtones(const QString &folder) const
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void TestRingtoneCommand::times_data()
{
    QTest::addColumn<QStringList>("clip");
    QTest::addColumn<double>("seconds");

    // The 90 s file: a clip from 83.5 s without an end stops at the file's end.
    QTest::newRow("seconds") << QStringList{"--start", "83.5"} << 6.5;
    QTest::newRow("minutes") << QStringList{"--start", "1:23.5"} << 6.5;
    QTest::newRow("hours") << QStringList{"--start", "0:01:23.500"} << 6.5;
    QTest::newRow("end, hours") << QStringList{"--start", "1", "--end", "0:00:06.250"} << 5.25;
    QTest::newRow("end, minutes") << QStringList{"--end", "0:07"} << 7.0;
    QTest::newRow("length") << QStringList{"--start", "30", "--length", "2.5"} << 2.5;
    QTest::newRow("default") << QStringList{} << 10.0;
}

void TestRingtoneCommand::times()
{
    QFETCH(QStringList, clip);
    QFETCH(double, seconds);
    const Result result = run(QStringList{tone90, "-o", out + "/"} + clip);
    QVERIFY2(result.exitCode == 0, qPrintable(result.err));
    QCOMPARE(ringtones(out), QStringList{"ninety.m4r"});
    const double made = lengthOf(out + "/ninety.m4r");
    QVERIFY2(std::abs(made - seconds) < 0.05, qPrintable(QString::number(made)));
}

void TestRingtoneCommand::badTimes_data()
{
    QTest::addColumn<QStringList>("clip");
    QTest::addColumn<QString>("said");

    QTest::newRow("letters") << QStringList{"--start", "abc"} << "not a time";
    QTest::newRow("negative") << QStringList{"--start", "-3"} << "not a time";
    QTest::newRow("seconds past 59") << QStringList{"--start", "1:75"} << "not a time";
    QTest::newRow("four parts") << QStringList{"--end", "1:2:3:4"} << "not a time";
    QTest::newRow("two dots") << QStringList{"--end", "1.2.3"} << "not a time";
    QTest::newRow("exponent") << QStringList{"--length", "1e1"} << "not a time";
    QTest::newRow("empty") << QStringList{"--start", ""} << "not a time";
    QTest::newRow("end before start") << QStringList{"--start", "20", "--end", "0:10"} << "must end after";
    QTest::newRow("past the end") << QStringList{"--start", "1:31"} << "the file ends at 0:01:30.000";
    QTest::newRow("too short") << QStringList{"--start", "3", "--length", "0.05"} << "too short";
    QTest::newRow("fade past 10") << QStringList{"--fade-in", "11"} << "whole seconds";
    QTest::newRow("fade fraction") << QStringList{"--fade-out", "1.5"} << "whole seconds";
}

void TestRingtoneCommand::badTimes()
{
    QFETCH(QStringList, clip);
    QFETCH(QString, said);
    const Result result = run(QStringList{tone90, "-o", out + "/"} + clip);
    QCOMPARE(result.exitCode, 4);
    QVERIFY2(result.err.contains(said), qPrintable(result.err));
    QVERIFY(ringtones(out).isEmpty());
}

void TestRingtoneCommand::batchWithABadFile()
{
    const Result result = run({tone20, QStringLiteral("bad.mp3"), tone60, "--length", "3", "-o", out + "/"});
    QCOMPARE(result.exitCode, 3);
    QCOMPARE(ringtones(out), (QStringList{"sixty.m4r", "twenty.m4r"}));
    QVERIFY2(result.err.contains(QLatin1String("bad.mp3: Invalid input file")), qPrintable(result.err));
    QCOMPARE(result.err.count(QLatin1String("Conversion succeed.")), 2);
}

void TestRingtoneCommand::longerThanThePhoneLists()
{
    // Made as the window makes it, with the window's warning.
    const Result result = run({tone60, "--start", "5", "--length", "45", "-o", out + "/"});
    QVERIFY2(result.exitCode == 0, qPrintable(result.err));
    QVERIFY2(result.err.contains(QLatin1String("longer than 40 seconds: the iPhone will not list it")),
             qPrintable(result.err));
    QVERIFY(std::abs(lengthOf(out + "/sixty.m4r") - 45.0) < 0.05);
}

void TestRingtoneCommand::names_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("made");

    QTest::newRow("file") << "tone.m4r" << QStringList{"tone(1).m4r", "tone.m4r"};
    QTest::newRow("cleaned") << "My:To*ne?.m4r" << QStringList{"MyTone(1).m4r", "MyTone.m4r"};
    QTest::newRow("hidden") << "..m4r" << QStringList{"twenty(1).m4r", "twenty.m4r"};
    QTest::newRow("folder") << "deeper/" << QStringList{"twenty(1).m4r", "twenty.m4r"};
}

void TestRingtoneCommand::names()
{
    QFETCH(QString, output);
    QFETCH(QStringList, made);
    // Twice: a second ringtone of one name is numbered, never overwrites.
    for (int i = 0; i < 2; ++i) {
        const Result result = run({tone20, "--length", "1", "-o", out + "/" + output});
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
    }
    const QString folder = output.endsWith('/') ? out + "/" + output : out;
    QCOMPARE(ringtones(folder), made);
}

void TestRingtoneCommand::severalFilesNeedAFolder()
{
    const Result result = run({tone20, tone60, "-o", out + "/one.m4r"});
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains(QLatin1String("folder")), qPrintable(result.err));
    QVERIFY(!QFile::exists(out));
}

void TestRingtoneCommand::volumes()
{
    // The three spellings of one factor make the same ringtone, another
    // factor a different one; the encoder is deterministic.
    QByteArray made[4];
    const char *const factors[] = {"1.5", "1.5x", "150%", "1"};
    for (int i = 0; i < 4; ++i) {
        const QString file = out + QStringLiteral("/v%1.m4r").arg(i);
        const Result result = run({tone20, "--length", "2", "--volume", factors[i], "-o", file});
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QFile ringtone(file);
        QVERIFY(ringtone.open(QIODevice::ReadOnly));
        made[i] = ringtone.readAll();
    }
    QCOMPARE(made[1], made[0]);
    QCOMPARE(made[2], made[0]);
    QVERIFY(made[3] != made[0]);
    for (const char *wrong : {"5.01", "-1", "loud", "2xx"}) {
        const Result result = run({tone20, "--volume", wrong, "-o", out + "/"});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(QLatin1String("--volume")), qPrintable(result.err));
    }
}

void TestRingtoneCommand::fullDisk()
{
#ifdef Q_OS_UNIX
    // A file size limit fails the encoder's writes as a full disk does, for
    // root too; the program and the encoder it starts inherit it.
    const auto limit = [] {
        const rlimit small{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &small);
    };
    const Result result = run({tone60, "--length", "30", "-o", out + "/"}, {}, limit);
    QCOMPARE(result.exitCode, 5);
    QVERIFY2(result.err.contains(QLatin1String("Conversion failed. The disk of the output folder is full.")),
             qPrintable(result.err));
    QVERIFY2(ringtones(out).isEmpty(), qPrintable(ringtones(out).join(' ')));
#else
    QSKIP("needs a file size limit");
#endif
}

void TestRingtoneCommand::toPhone_data()
{
    QTest::addColumn<bool>("onTheWire");
    QTest::newRow("simulated phone folder") << false;
    QTest::newRow("fake iPhone over usbmuxd") << true;
}

void TestRingtoneCommand::toPhone()
{
    QFETCH(bool, onTheWire);
    const QString phone = dir.filePath(onTheWire ? QStringLiteral("wire-phone") : QStringLiteral("phone"));
    QVERIFY(QDir().mkpath(phone));
    QProcessEnvironment env;
    QProcess fake;
    if (onTheWire) {
        // The real-phone module, unchanged, against the fake on its socket.
        fake.start(QStringLiteral(TQ_FAKEPHONE_SERVE), {phone});
        QVERIFY(fake.waitForReadyRead(10000));
        const QString line = QString::fromUtf8(fake.readLine()).trimmed();
        QVERIFY2(line.startsWith(QLatin1String("listening ")), qPrintable(line));
        env.insert(QStringLiteral("USBMUXD_SOCKET_ADDRESS"), line.section(QLatin1Char(' '), 1));
    } else {
        env.insert(QStringLiteral("TONQUILL_SIMULATED_PHONE"), phone);
    }
    const Result result = run({tone20, tone60, "--length", "2", "--to-phone", "-o", out + "/"}, env);
    if (onTheWire) {
        fake.terminate();
        fake.waitForFinished(5000);
    }
    QVERIFY2(result.exitCode == 0, qPrintable(result.err));
    QCOMPARE(result.err.count(QLatin1String("Transfer succeed.")), 2);
    QCOMPARE(QDir(phone + "/iTunes_Control/Ringtones").entryList({"*.m4r"}, QDir::Files).size(), 2);
    QFile catalogue(phone + "/iTunes_Control/iTunes/Ringtones.plist");
    QVERIFY(catalogue.open(QIODevice::ReadOnly));
    const QByteArray list = catalogue.readAll();
    QVERIFY(list.contains("twenty") && list.contains("sixty"));
    // Made in the folder as well, as the window does.
    QCOMPARE(ringtones(out), (QStringList{"sixty.m4r", "twenty.m4r"}));
}

void TestRingtoneCommand::noPhone()
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("TONQUILL_SIMULATED_PHONE"), dir.filePath(QStringLiteral("no-phone-here")));
    const Result result = run({tone20, "--length", "2", "--to-phone", "-o", out + "/"}, env);
    QCOMPARE(result.exitCode, 6);
    QVERIFY2(result.err.contains(QLatin1String("No iPhone is connected")), qPrintable(result.err));
    QCOMPARE(ringtones(out), QStringList{"twenty.m4r"});
}

void TestRingtoneCommand::suggestion()
{
    const Result result = run({tone20, QStringLiteral("sixty.wav"), "--suggest", "--length", "5", "-o", out + "/"});
    QVERIFY2(result.exitCode == 0, qPrintable(result.err));
    const QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const QRegularExpression format(QStringLiteral(R"(^(.+): start=(\d+\.\d{3}) end=(\d+\.\d{3})$)"));
    const QStringList inputs{tone20, QStringLiteral("sixty.wav")};
    const double lengths[] = {20.0, 60.0};
    for (int i = 0; i < 2; ++i) {
        const QRegularExpressionMatch match = format.match(lines[i]);
        QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
        QCOMPARE(match.captured(1), inputs[i]);
        const double start = match.captured(2).toDouble();
        const double end = match.captured(3).toDouble();
        QCOMPARE(qRound((end - start) * 1000), 5000);
        QVERIFY(start >= 0 && end <= lengths[i]);
    }
    QCOMPARE(ringtones(out), (QStringList{"sixty.m4r", "twenty.m4r"}));
    QVERIFY(std::abs(lengthOf(out + "/sixty.m4r") - 5.0) < 0.05);
}

void TestRingtoneCommand::help()
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TQ_PROGRAM), {QStringLiteral("--help")});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 0);
    const QString help = QString::fromUtf8(program.readAllStandardOutput());
    for (const char *option : {"--ringtone", "--start <time>", "--length", "--suggest", "--to-phone", "-o, --output",
                               "tonquill --ringtone song.mp3", "6 no iPhone"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
    // The options still need --ringtone: without it nothing is made quietly
    // nor a window opened.
    const Result alone = [&] {
        QProcess bare;
        bare.setProcessEnvironment(env);
        bare.start(QStringLiteral(TQ_PROGRAM), {tone20, QStringLiteral("--start"), QStringLiteral("3")});
        bare.waitForFinished(20000);
        return Result{bare.exitCode(), {}, QString::fromUtf8(bare.readAllStandardError())};
    }();
    QCOMPARE(alone.exitCode, 2);
    QVERIFY2(alone.err.contains(QLatin1String("--ringtone")), qPrintable(alone.err));
}

QTEST_GUILESS_MAIN(TestRingtoneCommand)
#include "tst_ringtonecommand.moc"
