// The window's phone side: the failed-connection explanation in every
// language, the iTunes check off Windows, and the copy after Generate with
// the reason it failed.
#include "devicebridge.h"
#include "phonelink.h"
#include "standins.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

#include <algorithm>

class TestPhoneLink final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void noITunesAsksForThePhone();
    void initFailedBoxExplains();
    void initFailedTextIsTranslated_data();
    void initFailedTextIsTranslated();
    void repeatedInitFailureShowsOneBox();
    void failureBoxFollowsThePhone();
    void exportToPhone_data();
    void exportToPhone();
    void failureIsTold_data();
    void failureIsTold();
    void failureTextsAreTranslated_data();
    void failureTextsAreTranslated();
    void transferFailuresAreTranslated_data();
    void transferFailuresAreTranslated();

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
#ifdef Q_OS_WIN
    // Nothing registered and nothing at the usual place (Wine's prefix has
    // no iTunes): the plea to install it.
    QVERIFY(!QFile::exists(QStringLiteral("C:\\Program Files\\iTunes\\iTunes.exe")));
    QCOMPARE(QString::fromLatin1(status.last().first().value<const char *>()),
             QStringLiteral("You should install iTunes to transfer ringtone to iPhone."));
#else
    QCOMPARE(QString::fromLatin1(status.last().first().value<const char *>()),
             QStringLiteral("Please connect your iPhone to this computer."));
#endif
    QVERIFY(!window.exportITunes->isEnabled());
    QVERIFY(!window.exportITunes->isChecked());
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
#ifdef Q_OS_WIN
    // Word for word the box Windows users of the product know.
    QCOMPARE(shown, QStringLiteral(
        "Could not initialize the connection to your iPhone/iTouch!<br>You may get this error if you try to "
        "connect a device that has never been attached to iTunes on this computer.<br>Please try the "
        "following:<br>  * close this application and detach your device from the computer<br>  * start "
        "iTunes<br>  * connect the device<br>  * after it shows up in iTunes, exit iTunes (no need to sync or "
        "transfer anything<br>)  * restart this application.<br><br>Sorry for this inconvenience, it is "
        "caused by Apple's technical restrictions..."));
#else
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
#ifdef Q_OS_WIN
    QVERIFY(translated.contains(QLatin1String("iTunes")));
#else
    QVERIFY(translated.contains(QLatin1String("usbmuxd")));
#endif
    QCOMPARE(translated.count(QLatin1String("<br>")), english.count(QLatin1String("<br>")));
}

void TestPhoneLink::repeatedInitFailureShowsOneBox()
{
    Window window;
    // Counts the boxes up at once, then closes them, from inside whichever
    // box's loop runs.
    int mostAtOnce = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&mostAtOnce] {
        int shown = 0;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox *>(widget) && widget->isVisible())
                ++shown;
        }
        mostAtOnce = std::max(mostAtOnce, shown);
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox *>(widget))
                widget->close();
        }
    });
    QTimer::singleShot(0, [&] {
        closer.start(20);
        // The same failure twice more while the first box is up, as a phone
        // that keeps failing reports it.
        window.link.onDeviceEvent(QStringLiteral(DEVICE_EVENT_INIT_FAILED));
        window.link.onDeviceEvent(QStringLiteral(DEVICE_EVENT_INIT_FAILED));
    });
    window.link.onDeviceEvent(QStringLiteral(DEVICE_EVENT_INIT_FAILED));
    closer.stop();
    QCOMPARE(mostAtOnce, 1);

    // Once it is closed, the next failure is shown again.
    bool shownAgain = false;
    QTimer::singleShot(0, [&shownAgain] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shownAgain = true;
            box->accept();
        }
    });
    window.link.onDeviceEvent(QStringLiteral(DEVICE_EVENT_INIT_FAILED));
    QVERIFY(shownAgain);
}

void TestPhoneLink::failureBoxFollowsThePhone()
{
    Window window;
    // Trust is asked for, then the phone is locked, then the user unlocks it
    // and taps Trust: the box shows the latest reason, then goes by itself.
    QString textWhenLocked;
    bool closedByConnect = false;
    QTimer::singleShot(0, [&] {
        QPointer<QMessageBox> box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        window.link.onDeviceEvent(QStringLiteral(DEVICE_EVENT_LOCKED));
        textWhenLocked = box->text();
        window.link.onDeviceEvent(QStringLiteral(DEVICE_EVENT_CONNECT));
        closedByConnect = !box->isVisible();
        box->close();
    });
    window.link.onDeviceEvent(QStringLiteral(DEVICE_EVENT_TRUST_PENDING));
    QCOMPARE(textWhenLocked, CPhoneLink::failureText(QStringLiteral(DEVICE_EVENT_LOCKED)));
    QVERIFY(closedByConnect);
    QVERIFY(window.exportPhone->isChecked());
}

void TestPhoneLink::exportToPhone_data()
{
    QTest::addColumn<bool>("toPhone");
    QTest::addColumn<int>("changeResult");
    QTest::addColumn<int>("commitResult");
    QTest::addColumn<QString>("status");
    QTest::newRow("copied") << true << 3 << 0 << "Transfer succeed.";
    QTest::newRow("addition fails") << true << -1 << 0 << "Transfer failed.";
    QTest::newRow("commit fails") << true << 0 << -1 << "Transfer failed.";
    QTest::newRow("local file refused") << true << int(DEVICE_ERR_INVALID) << 0 << "Transfer failed.";
    QTest::newRow("phone full") << true << int(DEVICE_ERR_NO_SPACE) << 0 << "Transfer failed: the iPhone is full.";
    QTest::newRow("full at the commit") << true << 0 << int(DEVICE_ERR_NO_SPACE)
                                        << "Transfer failed: the iPhone is full.";
    QTest::newRow("no permission") << true << int(DEVICE_ERR_PERMISSION) << 0
                                   << "Transfer failed: the iPhone did not allow the ringtone to be written.";
    const QString busy = QStringLiteral("Transfer failed: another program is syncing with the iPhone; try again later.");
    QTest::newRow("sync lock held") << true << 0 << int(DEVICE_ERR_BUSY) << busy;
    QTest::newRow("phone gone") << true << int(DEVICE_ERR_NO_PHONE) << int(DEVICE_ERR_NO_PHONE)
                                << "Transfer failed: the iPhone was disconnected during the transfer.";
    QTest::newRow("list unreadable")
        << true << int(DEVICE_ERR_DAMAGED) << 0
        << "Transfer failed: the iPhone's ringtone list cannot be read; the phone is unchanged.";
    // The addition's reason comes first: the commit only follows from it.
    QTest::newRow("addition's reason first") << true << int(DEVICE_ERR_BUSY) << int(DEVICE_ERR_IO) << busy;
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
#ifdef Q_OS_WIN
    // What a Windows user installs, loads and opens.
    {DEVICE_EVENT_NO_SERVICE, "Apple Mobile Device Support"},
    {DEVICE_EVENT_NO_MODULE, "tonquill_usbphone.dll"},
    {DEVICE_EVENT_NOT_PAIRED, "iTunes"},
#else
    {DEVICE_EVENT_NO_SERVICE, "usbmuxd"},
    {DEVICE_EVENT_NO_MODULE, "libtonquill_usbphone.so"},
    {DEVICE_EVENT_NOT_PAIRED, "idevicepair unpair"},
#endif
    {DEVICE_EVENT_LOCKED, "<br>"},
    {DEVICE_EVENT_TRUST_PENDING, "<br>"},
    {DEVICE_EVENT_TRUST_REFUSED, "<br>"},
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

void TestPhoneLink::transferFailuresAreTranslated_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("result");
    for (const char *code : {"fr", "de", "es", "it", "ja", "zh_CN", "zh_TW", "ar"}) {
        for (int result : {DEVICE_ERR_IO, DEVICE_ERR_BUSY, DEVICE_ERR_NO_SPACE, DEVICE_ERR_PERMISSION,
                           DEVICE_ERR_NO_PHONE, DEVICE_ERR_DAMAGED}) {
            QTest::addRow("%s %d", code, result) << QString::fromLatin1(code) << result;
        }
    }
}

void TestPhoneLink::transferFailuresAreTranslated()
{
    QFETCH(QString, code);
    QFETCH(int, result);
    const char *source = CPhoneLink::transferStatus(result);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/translations/ringtone_%1.qm").arg(code)));
    const QString translated = translator.translate("MainDialog", source);
    QVERIFY2(!translated.isEmpty(), source);
    QVERIFY(translated != QString::fromLatin1(source));
}

QTEST_MAIN(TestPhoneLink)
#include "tst_phonelink.moc"
