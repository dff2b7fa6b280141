// The built program in a real X server, driven only by input events, as a
// user drives it: browse by typing a path, wait for the waveform, drag the
// clip, Generate; a refused file; closing during a long Generate. The window
// tells what it shows through its debug channel (tonquill.window).
#include "catalogue.h"
#include "fakephone.h"
#include "phonestore.h"
#include "tonefile.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestRealWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void browseDragGenerate();
    void refusedFileLeavesTheWindow();
    void closingDuringGenerateLeavesNoPartialFile();
    void exportToAFakePhoneOnTheWire();

private:
    QString xdo(const QStringList &arguments);
    bool startProgram();
    void stopProgram();
    // Waits for a line of the window's debug channel that contains text.
    bool waitForLog(const QString &text, int timeoutMs = 30000);
    QPoint origin(const QString &title = QStringLiteral("Zentavo Tonquill"));
    void click(int x, int y);
    void drag(int fromX, int toX, int y);
    void typeIntoOpenDialog(const QString &path);
    QStringList windowsTitled(const QString &title);

    QTemporaryDir work;
    QString outputFolder;
    QString display;
    QString xdotool;
    QString programPath;
    QProcess server;
    QProcess program;
    QString log;
    // Added to the program's environment at its next start.
    QProcessEnvironment extraEnvironment;
};

void TestRealWindow::initTestCase()
{
#ifndef Q_OS_LINUX
    QSKIP("needs an X server");
#endif
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || xdotool.isEmpty())
        QSKIP("Xvfb or xdotool is not installed");
    // The program built beside this suite, or another one: tests/desktop/package.sh
    // runs the suite against the program as the package installs it.
    programPath = qEnvironmentVariable("TONQUILL_PROGRAM_UNDER_TEST", QStringLiteral(TQ_PROGRAM));
    QVERIFY2(QFile::exists(programPath), qPrintable(programPath));

    // A display number nobody holds.
    int number = 90 + int(QCoreApplication::applicationPid() % 100);
    while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    display = QStringLiteral(":%1").arg(number);
    server.start(xvfb, {display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                        // Without it the server resets when its last client leaves, and
                        // the next program started meanwhile finds no display.
                        QStringLiteral("-noreset")});
    if (!server.waitForStarted(5000))
        QSKIP("Xvfb could not be started");
    QElapsedTimer waited;
    waited.start();
    while (xdo({QStringLiteral("getdisplaygeometry")}).isEmpty()) {
        if (waited.elapsed() > 10000 || server.state() != QProcess::Running)
            QSKIP("no X server came up");
        QTest::qWait(100);
    }

    connect(&program, &QProcess::readyRead, this, [this] { log += QString::fromUtf8(program.readAll()); });

    outputFolder = work.filePath(QStringLiteral("ringtones"));
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zentavo"),
                       QStringLiteral("Tonquill"));
    settings.clear();
    settings.setValue(QStringLiteral("Setting/OutputFolder"), outputFolder);
    settings.sync();
}

void TestRealWindow::cleanupTestCase()
{
    stopProgram();
    server.terminate();
    server.waitForFinished(5000);
}

void TestRealWindow::cleanup()
{
    stopProgram();
}

QString TestRealWindow::xdo(const QStringList &arguments)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(env);
    tool.start(xdotool, arguments);
    tool.waitForFinished(20000);
    return tool.exitCode() == 0 ? QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed() : QString();
}

bool TestRealWindow::startProgram()
{
    log.clear();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tonquill.window.debug=true"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.remove(QStringLiteral("TONQUILL_SIMULATED_PHONE"));
    for (const QString &key : extraEnvironment.keys())
        env.insert(key, extraEnvironment.value(key));
    // Qt's accessibility bridge asks for the session bus while the form is
    // built. Without one (CI runs as root, with no login session) libdbus
    // forks to autolaunch a bus, and under AddressSanitizer that child can
    // hang in the allocator, which the program's start-up threads held at the
    // fork: the window then never appears. A bus that cannot be reached
    // fails at once, without the fork.
    if (!env.contains(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")))
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=") + work.filePath(QStringLiteral("no-session-bus")));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(programPath, {});
    if (!program.waitForStarted(10000))
        return false;
    QElapsedTimer waited;
    waited.start();
    // Slow when the other suites load the machine.
    while (windowsTitled(QStringLiteral("Zentavo Tonquill")).isEmpty()) {
        if (waited.elapsed() > 60000 || program.state() == QProcess::NotRunning) {
            qWarning("the window did not appear: %s", qPrintable(log));
            return false;
        }
        QTest::qWait(100);
    }
    // The first paint.
    QTest::qWait(500);
    return true;
}

void TestRealWindow::stopProgram()
{
    if (program.state() == QProcess::NotRunning)
        return;
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished(5000);
    }
}

bool TestRealWindow::waitForLog(const QString &text, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!log.contains(text)) {
        if (waited.elapsed() > timeoutMs || program.state() == QProcess::NotRunning)
            return log.contains(text);
        QTest::qWait(50);
    }
    return true;
}

QStringList TestRealWindow::windowsTitled(const QString &title)
{
    return xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QPoint TestRealWindow::origin(const QString &title)
{
    const QStringList ids = windowsTitled(title);
    const QString shell = xdo({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), ids.value(0)});
    const QRegularExpressionMatch x = QRegularExpression(QStringLiteral("X=(\\d+)")).match(shell);
    const QRegularExpressionMatch y = QRegularExpression(QStringLiteral("Y=(\\d+)")).match(shell);
    return {x.captured(1).toInt(), y.captured(1).toInt()};
}

void TestRealWindow::click(int x, int y)
{
    const QPoint at = origin() + QPoint(x, y);
    xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
    QTest::qWait(100);
    xdo({QStringLiteral("click"), QStringLiteral("1")});
    QTest::qWait(200);
}

void TestRealWindow::drag(int fromX, int toX, int y)
{
    const QPoint at = origin();
    xdo({QStringLiteral("mousemove"), QString::number(at.x() + fromX), QString::number(at.y() + y)});
    QTest::qWait(100);
    xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
    const int steps = 10;
    for (int i = 1; i <= steps; ++i) {
        const int x = fromX + (toX - fromX) * i / steps;
        xdo({QStringLiteral("mousemove"), QString::number(at.x() + x), QString::number(at.y() + y)});
        QTest::qWait(30);
    }
    xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    QTest::qWait(200);
}

void TestRealWindow::typeIntoOpenDialog(const QString &path)
{
    // Browse; Qt's own dialog opens with the focus in its file name field.
    click(521, 174);
    QElapsedTimer waited;
    waited.start();
    QStringList dialogs;
    while ((dialogs = windowsTitled(QStringLiteral("Open"))).isEmpty() && waited.elapsed() < 10000)
        QTest::qWait(100);
    QVERIFY2(!dialogs.isEmpty(), "the open dialog did not appear");
    xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialogs.first()});
    QTest::qWait(300);
    xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), path});
    xdo({QStringLiteral("key"), QStringLiteral("Return")});
}

void TestRealWindow::browseDragGenerate()
{
    const QString input = work.filePath(QStringLiteral("Morning Tone.wav"));
    QVERIFY(writeTone(input, 60.0));
    QVERIFY(startProgram());

    typeIntoOpenDialog(input);
    QVERIFY2(waitForLog(QStringLiteral("status: File loaded.")), qPrintable(log));

    // The clip is the first 10 s, columns 0 .. 88 of the 530-column timeline
    // at (60, 205); its body is dragged 100 columns to the right.
    drag(60 + 40, 60 + 140, 230);
    click(573, 480); // Generate
    QVERIFY2(waitForLog(QStringLiteral("status: Conversion succeed.")), qPrintable(log));

    const QRegularExpressionMatch job =
        QRegularExpression(QStringLiteral("ringtone: start=([0-9.]+) end=([0-9.]+)")).match(log);
    QVERIFY2(job.hasMatch(), qPrintable(log));
    const double start = job.captured(1).toDouble();
    const double end = job.captured(2).toDouble();
    QVERIFY2(start > 5.0, qPrintable(log));
    QCOMPARE(qRound((end - start) * 1000), 10000);

    const QString ringtone = outputFolder + QStringLiteral("/Morning Tone.m4r");
    QVERIFY(QFileInfo::exists(ringtone));
    const QString probe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (probe.isEmpty())
        return;
    QProcess ffprobe;
    ffprobe.start(probe, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                          QStringLiteral("stream=codec_name:format=duration"), QStringLiteral("-of"),
                          QStringLiteral("default=nw=1"), ringtone});
    QVERIFY(ffprobe.waitForFinished(20000));
    const QString facts = QString::fromUtf8(ffprobe.readAllStandardOutput());
    QVERIFY2(facts.contains(QStringLiteral("codec_name=aac")), qPrintable(facts));
    const double seconds =
        QRegularExpression(QStringLiteral("duration=([0-9.]+)")).match(facts).captured(1).toDouble();
    QVERIFY2(std::abs(seconds - 10.0) < 0.1, qPrintable(facts));
}

void TestRealWindow::refusedFileLeavesTheWindow()
{
    const QString good = work.filePath(QStringLiteral("Kept.wav"));
    QVERIFY(writeTone(good, 5.0));
    const QString bad = work.filePath(QStringLiteral("notes.txt"));
    {
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a sound\n");
    }
    QVERIFY(startProgram());
    typeIntoOpenDialog(good);
    QVERIFY2(waitForLog(QStringLiteral("status: File loaded.")), qPrintable(log));

    // "All files" lists it; the path is typed whole anyway.
    typeIntoOpenDialog(bad);
    QElapsedTimer waited;
    waited.start();
    while (windowsTitled(QStringLiteral("Zentavo Tonquill")).size() < 2 && waited.elapsed() < 10000)
        QTest::qWait(100);
    QCOMPARE(windowsTitled(QStringLiteral("Zentavo Tonquill")).size(), 2); // the window and the message
    xdo({QStringLiteral("key"), QStringLiteral("Return")});
    QTRY_COMPARE_WITH_TIMEOUT(windowsTitled(QStringLiteral("Zentavo Tonquill")).size(), 1, 10000);

    // Generate still makes the kept file's ringtone under its own name.
    log.clear();
    click(573, 480);
    QVERIFY2(waitForLog(QStringLiteral("status: Conversion succeed.")), qPrintable(log));
    QVERIFY(QFileInfo::exists(outputFolder + QStringLiteral("/Kept.m4r")));
    QVERIFY(!QFileInfo::exists(outputFolder + QStringLiteral("/notes.m4r")));
}

void TestRealWindow::closingDuringGenerateLeavesNoPartialFile()
{
    const QString input = work.filePath(QStringLiteral("Long Take.wav"));
    QVERIFY(writeTone(input, 900.0));
    QVERIFY(startProgram());
    typeIntoOpenDialog(input);
    QVERIFY2(waitForLog(QStringLiteral("status: File loaded."), 60000), qPrintable(log));
    QFile::remove(input + QStringLiteral(".unused"));

    // The end handle (column 5 of 530 for 10 s of 15 min) to the far right:
    // the clip becomes the whole quarter hour.
    drag(60 + 6, 60 + 560, 230);
    click(573, 480);
    QVERIFY2(waitForLog(QStringLiteral("status: Making the ringtone")), qPrintable(log));
    QTest::qWait(1000);
    click(648, 183); // close
    QElapsedTimer waited;
    waited.start();
    while (program.state() != QProcess::NotRunning && waited.elapsed() < 15000)
        QTest::qWait(50);
    QVERIFY2(program.state() == QProcess::NotRunning, qPrintable(log));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    const QStringList left = QDir(outputFolder).entryList({QStringLiteral("Long Take*")}, QDir::Files);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(','))));
}

// The program, as installed, with a phone on usbmuxd's wire: the fake
// iPhone (TLS sessions) stands in for usbmuxd and the phone. Plugged in, the
// window says so; Generate puts the ringtone into the phone's folder and
// catalogue; the manager lists it and saves it back to the computer.
void TestRealWindow::exportToAFakePhoneOnTheWire()
{
    // usbmuxd on TCP here ("127.0.0.1:port"); the wire suite uses a UNIX socket.
    fakephone::Options tcp;
    tcp.tcp = true;
    fakephone::FakePhone phone(work.filePath(QStringLiteral("iphone")).toStdString(), tcp);
    QVERIFY(phone.listening());
    extraEnvironment.insert(QStringLiteral("USBMUXD_SOCKET_ADDRESS"), QString::fromStdString(phone.socketAddress()));
    const QString input = work.filePath(QStringLiteral("Wire Bell.wav"));
    QVERIFY(writeTone(input, 6.0));
    QVERIFY(startProgram());
    extraEnvironment.clear();
    QVERIFY2(waitForLog(QStringLiteral("status: Please connect your iPhone")), qPrintable(log));

    // The program subscribes to usbmuxd's events a moment after it starts.
    QTRY_VERIFY_WITH_TIMEOUT(phone.listeners() > 0, 20000);
    phone.plugIn();
    QVERIFY2(waitForLog(QStringLiteral("status: Ready.")), qPrintable(log));

    typeIntoOpenDialog(input);
    QVERIFY2(waitForLog(QStringLiteral("status: File loaded.")), qPrintable(log));
    click(573, 480); // Generate, with "Export to iPhone" checked by the connection
    QVERIFY2(waitForLog(QStringLiteral("status: Transfer succeed."), 60000), qPrintable(log));

    const QString ringtone = outputFolder + QStringLiteral("/Wire Bell.m4r");
    QVERIFY(QFileInfo::exists(ringtone));
    const QString root = QString::fromStdString(phone.root());
    QFile catalogueFile(root + QLatin1String(tqbridge::kCataloguePath));
    QVERIFY(catalogueFile.open(QIODevice::ReadOnly));
    const auto catalogue = tqbridge::Catalogue::parse(catalogueFile.readAll().toStdString());
    QVERIFY(catalogue);
    QCOMPARE(catalogue->size(), 1);
    QCOMPARE(catalogue->entry(0)->name, std::string("Wire Bell"));
    QFile onPhone(root + QLatin1String(tqbridge::kRingtoneFolder) + QString::fromStdString(catalogue->entry(0)->fileName));
    QVERIFY(onPhone.open(QIODevice::ReadOnly));
    QFile made(ringtone);
    QVERIFY(made.open(QIODevice::ReadOnly));
    const QByteArray bytes = made.readAll();
    QCOMPARE(onPhone.readAll(), bytes);

    // The manager (the menu's first entry) lists it: Save To PC on its first
    // row, as suggested, copies the phone's file beside the original.
    click(586, 151);
    QTest::qWait(300);
    xdo({QStringLiteral("key"), QStringLiteral("Down"), QStringLiteral("Return")});
    QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled(QStringLiteral("Manage")).isEmpty(), 10000);
    QTest::qWait(500);
    const QPoint manager = origin(QStringLiteral("Manage"));
    xdo({QStringLiteral("mousemove"), QString::number(manager.x() + 304), QString::number(manager.y() + 264)});
    QTest::qWait(100);
    xdo({QStringLiteral("click"), QStringLiteral("1")});
    QStringList dialogs;
    QElapsedTimer waited;
    waited.start();
    while ((dialogs = windowsTitled(QStringLiteral("Save As"))).isEmpty() && waited.elapsed() < 10000)
        QTest::qWait(100);
    QVERIFY2(!dialogs.isEmpty(), "the save dialog did not appear");
    xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialogs.first()});
    QTest::qWait(300);
    xdo({QStringLiteral("key"), QStringLiteral("Return")});
    const QString saved = outputFolder + QStringLiteral("/Wire Bell(1).m4r");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(saved), 10000);
    QFile savedFile(saved);
    QVERIFY(savedFile.open(QIODevice::ReadOnly));
    QCOMPARE(savedFile.readAll(), bytes);

    // Pulled out while the manager is open: the window asks for the phone again.
    log.clear();
    phone.unplug();
    QVERIFY2(waitForLog(QStringLiteral("status: Please connect your iPhone")), qPrintable(log));
    // And back in.
    phone.plugIn();
    QVERIFY2(waitForLog(QStringLiteral("status: Ready.")), qPrintable(log));

    // A phone locked with a passcode: the window explains, in a box of its own.
    xdo({QStringLiteral("key"), QStringLiteral("Escape")});
    QTRY_VERIFY_WITH_TIMEOUT(windowsTitled(QStringLiteral("Manage")).isEmpty(), 10000);
    log.clear();
    phone.unplug();
    QVERIFY2(waitForLog(QStringLiteral("status: Please connect your iPhone")), qPrintable(log));
    phone.setPairing({true, {}, "PasswordProtected"});
    phone.plugIn();
    QTRY_COMPARE_WITH_TIMEOUT(windowsTitled(QStringLiteral("Zentavo Tonquill")).size(), 2, 20000);
    xdo({QStringLiteral("key"), QStringLiteral("Return")});
    QTRY_COMPARE_WITH_TIMEOUT(windowsTitled(QStringLiteral("Zentavo Tonquill")).size(), 1, 10000);
    QVERIFY(!log.contains(QStringLiteral("status: Ready.")));

    stopProgram();
    QTRY_COMPARE_WITH_TIMEOUT(phone.listeners(), 0, 10000);
}

QTEST_GUILESS_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
