#include "phonelink.h"

#include "desktop.h"
#include "devicebridge.h"
#include "identity.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace {

// The window's texts: they are translated in its context.
const char kContext[] = "MainDialog";
const char kConnectPhone[] = QT_TRANSLATE_NOOP("MainDialog", "Please connect your iPhone to this computer.");

// What a user of each platform reads about reaching the phone: on Windows
// through Apple's mobile device service, which iTunes (or Apple's device
// support alone) installs; elsewhere through usbmuxd.
#ifdef Q_OS_WIN
const char kInitFailed[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Could not initialize the connection to your iPhone/iTouch!<br>You may get this error if you try to "
    "connect a device that has never been attached to iTunes on this computer.<br>Please try the "
    "following:<br>  * close this application and detach your device from the computer<br>  * start "
    "iTunes<br>  * connect the device<br>  * after it shows up in iTunes, exit iTunes (no need to sync or "
    "transfer anything<br>)  * restart this application.<br><br>Sorry for this inconvenience, it is "
    "caused by Apple's technical restrictions...");
const char kNoServiceStatus[] = QT_TRANSLATE_NOOP("MainDialog", "Apple Mobile Device Service is not running.");
const char kNoService[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Your iPhone cannot be reached: Apple Mobile Device Service does not answer.<br>Install iTunes (or "
    "Apple's device support alone, \"Apple Mobile Device Support\"), make sure the service \"Apple Mobile "
    "Device Service\" is running, and plug the phone in again.");
const char kNoModule[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an "
    "iPhone.<br>Install Tonquill again. Ringtones are still made in the output folder.");
const char kNotPaired[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Your iPhone no longer accepts this computer's pairing.<br>Connect the iPhone to iTunes once, unlock "
    "it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.");
#else
const char kInitFailed[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Could not initialize the connection to your iPhone!<br>Please try the following:<br>  * unlock "
    "the iPhone and keep it unlocked<br>  * when the iPhone asks whether to trust this computer, tap "
    "Trust<br>  * disconnect the iPhone and connect it again<br><br>The phone service usbmuxd must be "
    "installed and running (on Debian and Ubuntu: the package \"usbmuxd\").");
const char kNoServiceStatus[] = QT_TRANSLATE_NOOP("MainDialog", "The phone service usbmuxd is not running.");
const char kNoService[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Your iPhone cannot be reached: the phone service usbmuxd does not answer.<br>Install "
    "usbmuxd (on Debian and Ubuntu: the package \"usbmuxd\") and plug the phone in again.");
const char kNoModule[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach "
    "an iPhone.<br>Install Tonquill again. Ringtones are still made in the output folder.");
const char kNotPaired[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Your iPhone no longer accepts this computer's pairing.<br>With the iPhone connected and "
    "unlocked, run \"idevicepair unpair\" and then \"idevicepair pair\" (package "
    "\"libimobiledevice-utils\") and tap Trust on the iPhone: it then connects by itself.");
#endif

// Each failure to reach a phone: a line for the status, in place of the plea
// to connect a phone that is plugged in, and what to do, for the box.
struct Failure
{
    const char *event;
    const char *status;
    const char *explanation;
};

const char kNotTrusted[] = QT_TRANSLATE_NOOP("MainDialog", "Your iPhone does not trust this computer.");

const Failure kFailures[] = {
    {DEVICE_EVENT_INIT_FAILED, QT_TRANSLATE_NOOP("MainDialog", "Your iPhone could not be connected."), kInitFailed},
    {DEVICE_EVENT_NO_SERVICE, kNoServiceStatus, kNoService},
    {DEVICE_EVENT_NO_MODULE, QT_TRANSLATE_NOOP("MainDialog", "The phone module is missing: no iPhone can be connected."),
     kNoModule},
    {DEVICE_EVENT_LOCKED, QT_TRANSLATE_NOOP("MainDialog", "Unlock your iPhone to connect it."),
     QT_TRANSLATE_NOOP("MainDialog",
                       "Your iPhone is locked with a passcode.<br>Unlock it and keep it unlocked: it connects by "
                       "itself.")},
    {DEVICE_EVENT_TRUST_PENDING, QT_TRANSLATE_NOOP("MainDialog", "Tap Trust on your iPhone to connect it."),
     QT_TRANSLATE_NOOP("MainDialog",
                       "Your iPhone asks whether to trust this computer.<br>Unlock it, tap Trust and enter the "
                       "passcode: it connects by itself.")},
    {DEVICE_EVENT_TRUST_REFUSED, kNotTrusted,
     QT_TRANSLATE_NOOP("MainDialog",
                       "Your iPhone was told not to trust this computer.<br>Disconnect the iPhone and connect it "
                       "again, then tap Trust when it asks.")},
    {DEVICE_EVENT_NOT_PAIRED, kNotTrusted, kNotPaired},
    {DEVICE_EVENT_NO_FILE_SERVICE, QT_TRANSLATE_NOOP("MainDialog", "Your iPhone's file service could not be started."),
     QT_TRANSLATE_NOOP("MainDialog",
                       "Your iPhone trusts this computer but did not start its file service.<br>Disconnect the "
                       "iPhone and connect it again; if that does not help, restart the iPhone.")},
};

const Failure *findFailure(const QString &event)
{
    for (const Failure &failure : kFailures)
        if (event == QLatin1String(failure.event))
            return &failure;
    return nullptr;
}

} // namespace

CPhoneLink::CPhoneLink(DeviceBridge *bridge, QCheckBox *checkExport, QCheckBox *checkExportITunes,
                       QWidget *window)
    : QObject(window)
    , bridge(bridge)
    , checkExport(checkExport)
    , checkExportITunes(checkExportITunes)
    , window(window)
{
}

QString CPhoneLink::initFailedText()
{
    return QCoreApplication::translate(kContext, kInitFailed);
}

QString CPhoneLink::failureText(const QString &event)
{
    const Failure *failure = findFailure(event);
    return failure ? QCoreApplication::translate(kContext, failure->explanation) : QString();
}

const char *CPhoneLink::failureStatus(const QString &event)
{
    const Failure *failure = findFailure(event);
    return failure ? failure->status : nullptr;
}

QString CPhoneLink::checkITunes()
{
    char buffer[260] = {};
    const quint32 version = (bridge && bridge->queryITunes) ? bridge->queryITunes(buffer, int(sizeof buffer)) : 0;
    buffer[sizeof buffer - 1] = '\0';
    iTunesPath.clear();
    if (version == 0) {
        checkExportITunes->setEnabled(false);
#ifdef Q_OS_WIN
        Q_EMIT statusChanged(QT_TRANSLATE_NOOP("MainDialog", "You should install iTunes to transfer ringtone to iPhone."));
        const QString defaultITunes = QStringLiteral("C:\\Program Files\\iTunes\\iTunes.exe");
        if (QFile::exists(defaultITunes)) {
            iTunesPath = defaultITunes;
            Q_EMIT statusChanged(kConnectPhone);
            checkExportITunes->setChecked(true);
        }
#else
        // iTunes exists only on Windows: nothing to install, only the phone to connect.
        checkExportITunes->setChecked(false);
        Q_EMIT statusChanged(kConnectPhone);
#endif
    } else if (version < 0x07040000u) {
        Q_EMIT statusChanged(QT_TRANSLATE_NOOP("MainDialog", "iTunes version too low, at least 7.3 is needed."));
        checkExportITunes->setEnabled(false);
    } else {
        Q_EMIT statusChanged(kConnectPhone);
        checkExportITunes->setChecked(true);
        iTunesPath = QString::fromUtf8(buffer);
    }
    return iTunesPath;
}

void CPhoneLink::onDeviceEvent(const QString &text)
{
    qCDebug(lcDiagnostics).noquote() << "phone event" << text;
    if (text == QLatin1String(DEVICE_EVENT_CONNECT) || text == QLatin1String(DEVICE_EVENT_DISCONNECT)) {
        const bool connected = text == QLatin1String(DEVICE_EVENT_CONNECT);
        checkExport->setEnabled(connected);
        checkExport->setChecked(connected);
        Q_EMIT phoneChanged(connected);
        Q_EMIT statusChanged(connected ? QT_TRANSLATE_NOOP("MainDialog", "Ready.") : kConnectPhone);
        // What the box asked for (Trust, unlocking) has happened, or the
        // phone it spoke of is gone: it no longer applies.
        if (initFailedBox)
            initFailedBox->done(QMessageBox::Ok);
    } else if (const Failure *failure = findFailure(text)) {
        // The phone stays unusable (no change to the export choice), but the
        // status no longer asks for a phone that is plugged in.
        Q_EMIT statusChanged(failure->status);
        // A phone that keeps failing sends this again and again, and the
        // box's own event loop delivers the next one: one box says it all,
        // the latest reason.
        if (initFailedBox) {
            initFailedBox->setText(failureText(text));
            return;
        }
        QMessageBox box(QMessageBox::Information, QString::fromLatin1(Identity::kProductName), failureText(text),
                        QMessageBox::Ok, window);
        box.setDefaultButton(static_cast<QPushButton *>(nullptr));
        initFailedBox = &box;
        box.exec();
    }
}

const char *CPhoneLink::transferStatus(int result)
{
    switch (result) {
    case DEVICE_ERR_NO_SPACE:
        return QT_TRANSLATE_NOOP("MainDialog", "Transfer failed: the iPhone is full.");
    case DEVICE_ERR_PERMISSION:
        return QT_TRANSLATE_NOOP("MainDialog", "Transfer failed: the iPhone did not allow the ringtone to be written.");
    case DEVICE_ERR_BUSY:
        return QT_TRANSLATE_NOOP("MainDialog",
                                 "Transfer failed: another program is syncing with the iPhone; try again later.");
    case DEVICE_ERR_NO_PHONE:
        return QT_TRANSLATE_NOOP("MainDialog", "Transfer failed: the iPhone was disconnected during the transfer.");
    case DEVICE_ERR_DAMAGED:
        return QT_TRANSLATE_NOOP("MainDialog",
                                 "Transfer failed: the iPhone's ringtone list cannot be read; the phone is unchanged.");
    default:
        return result < 0 ? QT_TRANSLATE_NOOP("MainDialog", "Transfer failed.")
                          : QT_TRANSLATE_NOOP("MainDialog", "Transfer succeed.");
    }
}

void CPhoneLink::exportRingtone(const QString &path, int clipMilliseconds, bool toPhone, bool toITunes)
{
    const QString native = QDir::toNativeSeparators(path);
    if (toPhone && bridge && bridge->addRingtone) {
        const int added = bridge->addRingtone(0, native.toUtf8().constData(), clipMilliseconds);
        // A failed addition leaves nothing to commit; a failed commit loses the addition.
        const int committed = bridge->commitChanges ? bridge->commitChanges(0) : 0;
        // The first failure is the one that says why.
        Q_EMIT statusChanged(transferStatus(added < 0 ? added : committed));
    }
    if (toITunes && !iTunesPath.isEmpty())
        QProcess::startDetached(iTunesPath, {QStringLiteral("/open"), native});
}
