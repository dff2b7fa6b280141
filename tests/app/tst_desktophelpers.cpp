// What the program asks of the desktop: whether anything opens an address,
// where a file dialog starts, where the window goes back to.
#include "desktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDesktopHelpers final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compiledHelp_data();
    void compiledHelp();
    void handlerFor_data();
    void handlerFor();
    void nearestExistingFolder();
    void restoredPosition_data();
    void restoredPosition();
    void busAutolaunchAvoided();

private:
    QTemporaryDir tools;
};

namespace {
void writeScript(const QString &path, const QByteArray &body)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
}
} // namespace

void TestDesktopHelpers::compiledHelp_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");
    const QStringList both{QStringLiteral("help.chm"), QStringLiteral("help_de.chm")};
    QTest::newRow("English") << both << "en" << "help.chm";
    QTest::newRow("system language") << both << "" << "help.chm";
    QTest::newRow("translated") << both << "de" << "help_de.chm";
    QTest::newRow("not translated") << both << "fr" << "help.chm";
    QTest::newRow("region code") << QStringList{QStringLiteral("help.chm"), QStringLiteral("help_zh_TW.chm")}
                                 << "zh_TW" << "help_zh_TW.chm";
    // Named even when missing: the desktop's handler then says so.
    QTest::newRow("nothing installed") << QStringList{} << "ja" << "help.chm";
}

void TestDesktopHelpers::compiledHelp()
{
    QFETCH(QStringList, files);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    for (const QString &name : files) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(compiledHelpPath(folder.path(), language), folder.filePath(expected));
#ifdef Q_OS_WIN
    QCOMPARE(helpFilePath(folder.path(), language), folder.filePath(expected));
#else
    QCOMPARE(helpFilePath(folder.path(), language), helpPagePath(folder.path(), language));
#endif
}

void TestDesktopHelpers::handlerFor_data()
{
    QTest::addColumn<bool>("opener");
    QTest::addColumn<QByteArray>("mimeAnswer");
    QTest::addColumn<bool>("found");

    QTest::newRow("no xdg-open at all") << false << QByteArray() << false;
    QTest::newRow("no handler set") << true << QByteArray("") << false;
    QTest::newRow("a browser set") << true << QByteArray("firefox-esr.desktop") << true;
}

void TestDesktopHelpers::handlerFor()
{
#if !defined(Q_OS_LINUX)
    QSKIP("xdg-open is Linux's");
#endif
    QFETCH(bool, opener);
    QFETCH(QByteArray, mimeAnswer);
    QFETCH(bool, found);

    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    if (opener) {
        writeScript(bin.filePath(QStringLiteral("xdg-open")), "exit 0");
        writeScript(bin.filePath(QStringLiteral("xdg-mime")), "echo '" + mimeAnswer + "'");
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    const bool web = desktopHasHandlerFor(QUrl(QStringLiteral("https://www.zentavo.com/")));
    const bool page = desktopHasHandlerFor(QUrl::fromLocalFile(QStringLiteral("/tmp/help/index.html")));
    qputenv("PATH", path);
    QCOMPARE(web, found);
    QCOMPARE(page, found);
}

void TestDesktopHelpers::nearestExistingFolder()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Music")));
    // The first Browse offered "Documents" as the file name when that folder
    // did not exist.
    QCOMPARE(::nearestExistingFolder(home.filePath(QStringLiteral("Documents"))), home.path());
    QCOMPARE(::nearestExistingFolder(home.filePath(QStringLiteral("Music"))), home.filePath(QStringLiteral("Music")));
    QCOMPARE(::nearestExistingFolder(home.filePath(QStringLiteral("Music/gone/deeper"))),
             home.filePath(QStringLiteral("Music")));
    QCOMPARE(::nearestExistingFolder(QString()), QDir::homePath());
}

void TestDesktopHelpers::restoredPosition_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("restored");

    QTest::newRow("on the screen") << "100,80" << true;
    QTest::newRow("partly off to the right") << "1800,80" << true;
    QTest::newRow("top rows off the top") << "100,-30" << false;
    QTest::newRow("on a screen no longer there") << "2500,80" << false;
    QTest::newRow("on the second screen") << "2100,300" << true;
    QTest::newRow("nothing saved") << "" << false;
    QTest::newRow("garbage") << "left,top" << false;
    QTest::newRow("one number") << "100" << false;
}

void TestDesktopHelpers::restoredPosition()
{
    QFETCH(QString, saved);
    QFETCH(bool, restored);
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 200, 1024, 768)};
    QPoint position(-1, -1);
    QCOMPARE(restoredWindowPosition(saved, QSize(750, 531), screens, &position), restored);
    if (restored)
        QCOMPARE(savedWindowPosition(position), saved);
}

void TestDesktopHelpers::busAutolaunchAvoided()
{
#ifndef Q_OS_UNIX
    QSKIP("libdbus autolaunches on Unix only");
#endif
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", "/nonexistent-runtime");
    avoidSessionBusAutolaunch();
    QVERIFY(qgetenv("DBUS_SESSION_BUS_ADDRESS").startsWith("unix:path="));
    // A bus the session has is left alone.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus");
    avoidSessionBusAutolaunch();
    QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), QByteArray("unix:path=/run/user/1000/bus"));
    qputenv("XDG_RUNTIME_DIR", runtime);
}

QTEST_GUILESS_MAIN(TestDesktopHelpers)
#include "tst_desktophelpers.moc"
