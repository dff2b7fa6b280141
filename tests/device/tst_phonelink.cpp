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
    void failureIsTold_data();
    void failureIsTold();
    void failureTextsAreTranslated_data();
    void failureTextsAreTranslated();

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

namespace {

// Every failure to reach a phone, with a word its explanation must hold for
// the user to act on (commands and packages are not translated).
const std::pair<const char *, const char *> kFailureEvents[] = {
    {DEVICE_EVENT_INIT_FAILED, "<br>"},
    {DEVICE_EVENT_NO_SERVICE, "usbmuxd"},
    {DEVICE_EVENT_NO_MODULE, "libtonquill_usbphone.so"},
    {DEVICE_EVENT_LOCKED, "<br>"},
    {DEVICE_EVENT_TRUST_PENDING, "<br>"},
    {DEVICE_EVENT_TRUST_REFUSED, "<br>"},
    {DEVICE_EVENT_NOT_PAIRED, "idevicepair unpair"},
    {DEVICE_EVENT_NO_FILE_SERVICE, "<br>"},
};

// The text of the message box that running shows (modal or not), closed.
template<typename Run>
QString boxShownBy(QWidget *window, Run run)
{
    QString shown;
    const auto take = [window, &shown] {
        for (QMessageBox *box : window->findChildren<QMessageBox *>()) {
            if (box->isVisible() && shown.isEmpty()) {
                shown = box->text();
                box->accept();
            }
        }
    };
    QTimer::singleShot(0, window, take);
    run();
    take();
    QCoreApplication::processEvents();
    return shown;
}

} // namespace

void TestPhoneLink::failureIsTold_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("word");
    for (const auto &[event, word] : kFailureEvents)
        QTest::newRow(event) << QString::fromLatin1(event) << QString::fromLatin1(word);
}

void TestPhoneLink::failureIsTold()
{
    QFETCH(QString, event);
    QFETCH(QString, word);
    Window window;
    window.widget.show();
    QSignalSpy statuses(&window.link, &CPhoneLink::statusChanged);
    QSignalSpy phone(&window.link, &CPhoneLink::phoneChanged);
    const bool exportEnabled = window.exportPhone->isEnabled();
    const QString shown = boxShownBy(&window.widget, [&] { window.link.onDeviceEvent(event); });
    QCOMPARE(shown, CPhoneLink::failureText(event));
    QVERIFY2(shown.contains(word), qPrintable(shown));
    // A phone is plugged in but unusable: the status says so rather than
    // asking for one, and the export stays as it was.
    QCOMPARE(statuses.size(), 1);
    const QString status = QString::fromLatin1(statuses.first().first().value<const char *>());
    QVERIFY(!status.isEmpty());
    QVERIFY(status != QLatin1String("Please connect your iPhone to this computer."));
    QVERIFY(phone.isEmpty());
    QCOMPARE(window.exportPhone->isEnabled(), exportEnabled);
    // Any other text shows nothing.
    QVERIFY(CPhoneLink::failureText(event + QLatin1Char(' ')).isEmpty());
}

void TestPhoneLink::failureTextsAreTranslated_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("word");
    for (const char *code : {"fr", "de", "es", "it", "ja", "zh_CN", "zh_TW", "ar"})
        for (const auto &[event, word] : kFailureEvents)
            QTest::addRow("%s %s", code, event) << QString::fromLatin1(code) << QString::fromLatin1(event)
                                                << QString::fromLatin1(word);
}

void TestPhoneLink::failureTextsAreTranslated()
{
    QFETCH(QString, code);
    QFETCH(QString, event);
    QFETCH(QString, word);
    QString status;
    {
        Window window;
        QSignalSpy statuses(&window.link, &CPhoneLink::statusChanged);
        boxShownBy(&window.widget, [&] { window.link.onDeviceEvent(event); });
        QCOMPARE(statuses.size(), 1);
        status = QString::fromLatin1(statuses.first().first().value<const char *>());
    }
    const QString english = CPhoneLink::failureText(event);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/translations/ringtone_%1.qm").arg(code)));
    QCoreApplication::installTranslator(&translator);
    const QString translated = CPhoneLink::failureText(event);
    const QString translatedStatus = QCoreApplication::translate("MainDialog", status.toLatin1().constData());
    QCoreApplication::removeTranslator(&translator);
    QVERIFY2(translated != english, qPrintable(english));
    QVERIFY2(translatedStatus != status, qPrintable(status));
    QVERIFY2(translated.contains(word), qPrintable(translated));
    QCOMPARE(translated.count(QLatin1String("<br>")), english.count(QLatin1String("<br>")));
}

QTEST_MAIN(TestPhoneLink)
#include "tst_phonelink.moc"
