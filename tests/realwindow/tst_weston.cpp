// The built program under Weston, the Wayland compositor, as Debian's
// default desktop session runs it: a window mask means nothing there, so
// the skin's outline must come from the window's own transparency. The
// compositor runs headless with its CPU renderer; its screenshot of the
// screen is checked where the outline leaves the desktop showing and where
// the skin is. With TQ_WESTON_SCALE=2 the compositor's screen is scaled to
// 200 %, and the window must show its 2x pictures pixel for pixel.
#include "tonefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegion>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The desktop's colour, set in the compositor's configuration.
const QRgb kDesktop = qRgb(0x20, 0x40, 0x60);
const QSize kScreen(1024, 768); // in the screen's logical pixels

int screenScale()
{
    return qEnvironmentVariableIntValue("TQ_WESTON_SCALE") == 2 ? 2 : 1;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
} // namespace

class TestWeston final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void outlineIsCutAndTheTerminalQuiet();
    void surroundTakesNoPointer();

private:
    QProcessEnvironment programEnvironment();
    QImage screenshot();
    // Where the window's top-left lies on the screen: the place where the
    // background picture's title band matches the screenshot.
    bool findWindow(const QImage &screen, const QImage &background, QPoint *origin);

    QTemporaryDir work;
    QString runtime;
    QString screenshooter;
    QProcess compositor;
    QProcess program;
};

void TestWeston::initTestCase()
{
#ifndef Q_OS_LINUX
    QSKIP("Weston runs on Linux only");
#endif
    const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
    screenshooter = QStandardPaths::findExecutable(QStringLiteral("weston-screenshooter"));
    if (weston.isEmpty() || screenshooter.isEmpty())
        QSKIP("weston is not installed (Debian package weston)");
    const QString plugin =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqwayland-generic.so");
    if (!QFile::exists(plugin))
        QSKIP("Qt's Wayland platform plugin is not installed (Debian package qt6-wayland)");
    QVERIFY(QFile::exists(QStringLiteral(TQ_PROGRAM)));
    QVERIFY(work.isValid());

    // The compositor's sockets go in a private runtime folder.
    runtime = work.filePath(QStringLiteral("run"));
    QVERIFY(QDir().mkpath(runtime));
    QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QFile config(work.filePath(QStringLiteral("weston.ini")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    // No start-up fade: while the desktop fades in, its colour is darker
    // than the one the outline checks compare with.
    config.write("[shell]\nbackground-color=0xff204060\npanel-position=none\nlocking=false\n"
                 "startup-animation=none\n"
                 "[core]\nidle-time=0\n");
    config.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DISPLAY"));
    compositor.setProcessEnvironment(env);
    compositor.setProcessChannelMode(QProcess::MergedChannels);
    // --debug lets the screenshooter in.
    compositor.start(weston, {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
                              QStringLiteral("--socket=tonquill-test"),
                              QStringLiteral("--width=%1").arg(kScreen.width() * screenScale()),
                              QStringLiteral("--height=%1").arg(kScreen.height() * screenScale()),
                              QStringLiteral("--scale=%1").arg(screenScale()), QStringLiteral("--debug"),
                              QStringLiteral("--config=") + config.fileName()});
    if (!compositor.waitForStarted(5000))
        QSKIP("weston could not be started");
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(runtime + QStringLiteral("/tonquill-test"))) {
        if (waited.elapsed() > 15000 || compositor.state() != QProcess::Running)
            QSKIP(qPrintable(QStringLiteral("weston did not come up: ") + QString::fromLocal8Bit(compositor.readAll())));
        QTest::qWait(50);
    }
}

void TestWeston::cleanupTestCase()
{
    for (QProcess *process : {&program, &compositor}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

QImage TestWeston::screenshot()
{
    const QString folder = work.filePath(QStringLiteral("shots"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QProcess shooter;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("tonquill-test"));
    shooter.setProcessEnvironment(env);
    shooter.setWorkingDirectory(folder);
    shooter.start(screenshooter, {});
    if (!shooter.waitForFinished(15000))
        return {};
    const QStringList shots = QDir(folder).entryList({QStringLiteral("*.png")});
    return shots.isEmpty() ? QImage() : QImage(folder + QLatin1Char('/') + shots.first()).convertToFormat(QImage::Format_RGB32);
}

QProcessEnvironment TestWeston::programEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("tonquill-test"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    env.remove(QStringLiteral("DISPLAY"));
    // No session bus here, as on a machine without a login session: the
    // program must not fork to launch one.
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tonquill.window.debug=true"));
    const QString home = work.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    return env;
}

bool TestWeston::findWindow(const QImage &screen, const QImage &background, QPoint *origin)
{
    // The band under the disc and above the input line: only the
    // background picture is drawn there.
    const int s = screenScale();
    QList<QPoint> samples;
    for (int y = 100 * s; y < 150 * s && samples.size() < 40; y += 7) {
        for (int x = 70 * s; x < 540 * s; x += 37) {
            if (qAlpha(background.pixel(x, y)) == 255)
                samples << QPoint(x, y);
        }
    }
    if (samples.size() < 10)
        return false;
    for (int oy = 0; oy + background.height() <= screen.height(); ++oy) {
        for (int ox = 0; ox + background.width() <= screen.width(); ++ox) {
            bool all = true;
            for (const QPoint &p : samples) {
                if (!near(screen.pixel(ox + p.x(), oy + p.y()), background.pixel(p), 6)) {
                    all = false;
                    break;
                }
            }
            if (all) {
                *origin = QPoint(ox, oy);
                return true;
            }
        }
    }
    return false;
}

void TestWeston::outlineIsCutAndTheTerminalQuiet()
{
    const QString tone = work.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeTone(tone, 12));
    const int s = screenScale();
    const QImage background(QStringLiteral(TQ_SOURCE_DIR "/resources/images/main_bg%1.png")
                                .arg(s == 2 ? QStringLiteral("@2x") : QString()));
    QVERIFY(!background.isNull());

    program.setProcessEnvironment(programEnvironment());
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(TQ_PROGRAM), {tone});
    QVERIFY(program.waitForStarted(10000));

    QString output;
    QElapsedTimer waited;
    waited.start();
    while (!output.contains(QLatin1String("status: File loaded."))) {
        QVERIFY2(waited.elapsed() < 60000 && program.state() == QProcess::Running, qPrintable(output));
        program.waitForReadyRead(200);
        output += QString::fromLocal8Bit(program.readAll());
    }

    // The window may still be on its way to the screen.
    QImage screen;
    QPoint origin;
    waited.restart();
    do {
        QTest::qWait(300);
        screen = screenshot();
    } while ((screen.isNull() || !findWindow(screen, background, &origin)) && waited.elapsed() < 20000);
    QVERIFY2(!screen.isNull(), "no screenshot");
    if (const QString keep = qEnvironmentVariable("TQ_WESTON_SCREENSHOT"); !keep.isEmpty())
        screen.save(keep);
    QVERIFY2(findWindow(screen, background, &origin), "the window's skin is not on the screen");

    // Outside the outline (the top-left corner, above the left bar) the
    // desktop shows, not a white rectangle.
    for (QPoint corner : {QPoint(4, 4), QPoint(30, 40), QPoint(560, 60)}) {
        corner *= s;
        QVERIFY(qAlpha(background.pixel(corner)) == 0);
        const QRgb shown = screen.pixel(origin + corner);
        QVERIFY2(near(shown, kDesktop, 4), qPrintable(QStringLiteral("(%1,%2) shows #%3")
                                                          .arg(corner.x())
                                                          .arg(corner.y())
                                                          .arg(shown, 6, 16, QLatin1Char('0'))));
    }
    // And inside it the skin: at 2x, its 2x picture as it is, not the 1x
    // one stretched (which findWindow's samples would not match either).
    const QPoint skin = QPoint(300, 120) * s;
    QVERIFY(near(screen.pixel(origin + skin), background.pixel(skin), 6));
    if (s == 2) {
        // findWindow matches smooth gradients, which leave the origin a few
        // pixels loose, and the compositor may still be fading the window
        // in: the best place near it counts, on a later screenshot if need be.
        const auto titleShare = [&background](const QImage &shot, QPoint at, int step) {
            int same = 0;
            int total = 0;
            for (int y = 224; y < 290; y += step) // the title, where the edges are sharp
                for (int x = 100; x < 380; x += step, ++total)
                    same += near(shot.pixel(at + QPoint(x, y)), background.pixel(x, y), 2);
            return double(same) / total;
        };
        double share = 0;
        waited.restart();
        while (share <= 0.95 && waited.elapsed() < 10000) {
            if (findWindow(screen, background, &origin)) {
                QPoint best = origin;
                for (int dy = -40; dy <= 40; ++dy)
                    for (int dx = -40; dx <= 40; ++dx)
                        if (titleShare(screen, origin + QPoint(dx, dy), 4) > titleShare(screen, best, 4))
                            best = origin + QPoint(dx, dy);
                share = titleShare(screen, best, 1);
            }
            if (share <= 0.95) {
                QTest::qWait(300);
                screen = screenshot();
            }
        }
        QVERIFY2(share > 0.95, qPrintable(QStringLiteral("%1 of the title's pixels as in the picture").arg(share)));
    }

    program.terminate();
    program.waitForFinished(10000);
    output += QString::fromLocal8Bit(program.readAll());
    // Nothing on the terminal that a user could not act on.
    for (const char *noise : {"does not support setting window masks", "ALSA lib", "dbus-launch", "autolaunch"})
        QVERIFY2(!output.contains(QLatin1String(noise)), qPrintable(output));
}

void TestWeston::surroundTakesNoPointer()
{
    // The compositor gives the pointer to a surface only inside its input
    // region: the protocol log shows the region the window asks for.
    if (program.state() != QProcess::NotRunning) {
        program.terminate();
        program.waitForFinished(10000);
    }
    QProcessEnvironment env = programEnvironment();
    env.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TQ_PROGRAM), {});
    QVERIFY(program.waitForStarted(10000));

    // wl_region objects by id as the requests build them, and the last one
    // set as a window-sized surface's input region.
    static const QRegularExpression create(QStringLiteral(R"(create_region\(new id wl_region@(\d+)\))"));
    static const QRegularExpression change(
        QStringLiteral(R"(wl_region@(\d+)\.(add|subtract)\((-?\d+), (-?\d+), (\d+), (\d+)\))"));
    static const QRegularExpression set(QStringLiteral(R"(set_input_region\(wl_region@(\d+)\))"));
    QHash<QString, QRegion> regions;
    QRegion input;
    QByteArray pending;
    QElapsedTimer waited;
    waited.start();
    while (input.isEmpty() && waited.elapsed() < 30000 && program.state() == QProcess::Running) {
        program.waitForReadyRead(200);
        pending += program.readAll();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(pending.left(end));
            pending.remove(0, end + 1);
            if (const auto m = create.match(line); m.hasMatch()) {
                regions[m.captured(1)] = QRegion();
            } else if (const auto m = change.match(line); m.hasMatch()) {
                const QRect r(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(5).toInt(),
                              m.captured(6).toInt());
                QRegion &region = regions[m.captured(1)];
                region = m.captured(2) == QLatin1String("add") ? region.united(r) : region.subtracted(r);
            } else if (const auto m = set.match(line); m.hasMatch()) {
                const QRegion region = regions.value(m.captured(1));
                if (region.boundingRect().width() >= 700)
                    input = region;
            }
        }
    }
    program.terminate();
    program.waitForFinished(10000);
    QVERIFY2(!input.isEmpty(), "the window set no input region");
    // The surround of the top-left corner, above the left bar and left of
    // the disc; the title.
    for (QPoint outside : {QPoint(4, 4), QPoint(30, 40), QPoint(560, 60)})
        QVERIFY2(!input.contains(outside), qPrintable(QStringLiteral("(%1,%2)").arg(outside.x()).arg(outside.y())));
    QVERIFY(input.contains(QPoint(300, 120)));
}

QTEST_MAIN(TestWeston)
#include "tst_weston.moc"
