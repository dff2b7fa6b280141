// The window's phone side: the failed-connection explanation in every
// language, the iTunes check off Windows, and the copy after Generate.
#include "devicebridge.h"
#include "phonelink.h"
#include "standins.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>

class TestPhoneLink final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void noITunesAsksForThePhone();
    void initFailedBoxExplains();
    void initFailedTextIsTranslated_data();
    void initFailedTextIsTranslated();
    void exportToPhone_data();
    void exportToPhone();

private:
    struct Window
    {
        QWidget widget;
        QCheckBox *exportPhone = new QCheckBox(&widget);
        QCheckBox *exportITunes = new QCheckBox(&widget);
        CPhoneLink link{createDeviceBridge(), exportPhone, exportITunes, &widget};
    };
};

void TestPhoneLink::init()
{
    standin::bridge() = {};
}

void TestPhoneLink::noITunesAsksForThePhone()
{
    Window window;
    QSignalSpy status(&window.link, &CPhoneLink::statusChanged);
    QVERIFY(window.link.checkITunes().isEmpty());
#ifndef Q_OS_WIN
    QCOMPARE(QString::fromLatin1(status.last().first().value<const char *>()),
             QStringLiteral("Please connect your iPhone to this computer."));
    QVERIFY(!window.exportITunes->isEnabled());
    QVERIFY(!window.exportITunes->isChecked());
#endif
}

void TestPhoneLink::initFailedBoxExplains()
{
    Window window;
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text();
        QCOMPARE(box->windowTitle(), QStringLiteral("Zentavo Tonquill"));
        box->accept();
    });
    window.exportPhone->setEnabled(true);
    window.link.onDeviceEvent(QStringLiteral(DEVICE_EVENT_INIT_FAILED));
    QCOMPARE(shown, CPhoneLink::initFailedText());
    QVERIFY(window.exportPhone->isEnabled()); // the connection state stays
#ifndef Q_OS_WIN
    QVERIFY(shown.contains(QLatin1String("usbmuxd")));
    QVERIFY(!shown.contains(QLatin1String("iTunes")));
#endif
}

void TestPhoneLink::initFailedTextIsTranslated_data()
{
    QTest::addColumn<QString>("code");
    for (const char *code : {"fr", "de", "es", "it", "ja", "zh_CN", "zh_TW", "ar"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestPhoneLink::initFailedTextIsTranslated()
{
    QFETCH(QString, code);
    const QString english = CPhoneLink::initFailedText();
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/translations/ringtone_%1.qm").arg(code)));
    QCoreApplication::installTranslator(&translator);
    const QString translated = CPhoneLink::initFailedText();
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(translated != english);
    QVERIFY(translated.contains(QLatin1String("usbmuxd")));
    QCOMPARE(translated.count(QLatin1String("<br>")), english.count(QLatin1String("<br>")));
}

void TestPhoneLink::exportToPhone_data()
{
    QTest::addColumn<bool>("toPhone");
    QTest::addColumn<int>("changeResult");
    QTest::addColumn<int>("commitResult");
    QTest::addColumn<QString>("status");
    QTest::newRow("copied") << true << 3 << 0 << "Transfer succeed.";
    QTest::newRow("addition fails") << true << -1 << 0 << "Transfer failed.";
    QTest::newRow("commit fails") << true << 0 << -4 << "Transfer failed.";
    QTest::newRow("not chosen") << false << 0 << 0 << "";
}

void TestPhoneLink::exportToPhone()
{
    QFETCH(bool, toPhone);
    QFETCH(int, changeResult);
    QFETCH(int, commitResult);
    QFETCH(QString, status);
    standin::bridge().changeResult = changeResult;
    standin::bridge().commitResult = commitResult;
    Window window;
    QSignalSpy statuses(&window.link, &CPhoneLink::statusChanged);
    window.link.exportRingtone(QStringLiteral("/music/Bell.m4r"), 1187, toPhone, true);
    if (!toPhone) {
        QVERIFY(standin::bridge().calls.empty());
        QCOMPARE(statuses.size(), 0);
        return;
    }
    QCOMPARE(standin::bridge().calls, (std::vector<std::string>{
                                          "add " + QDir::toNativeSeparators(QStringLiteral("/music/Bell.m4r")).toStdString()
                                              + " 1187",
                                          "commit"}));
    QCOMPARE(QString::fromLatin1(statuses.last().first().value<const char *>()), status);
}

QTEST_MAIN(TestPhoneLink)
#include "tst_phonelink.moc"
