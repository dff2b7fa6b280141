#include "phonelink.h"

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

#ifdef Q_OS_WIN
const char kInitFailed[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Could not initialize the connection to your iPhone/iTouch!<br>You may get this error if you try to "
    "connect a device that has never been attached to iTunes on this computer.<br>Please try the "
    "following:<br>  * close this application and detach your device from the computer<br>  * start "
    "iTunes<br>  * connect the device<br>  * after it shows up in iTunes, exit iTunes (no need to sync or "
    "transfer anything<br>)  * restart this application.<br><br>Sorry for this inconvenience, it is "
    "caused by Apple's technical restrictions...");
#else
const char kInitFailed[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Could not initialize the connection to your iPhone!<br>Please try the following:<br>  * unlock "
    "the iPhone and keep it unlocked<br>  * when the iPhone asks whether to trust this computer, tap "
    "Trust<br>  * disconnect the iPhone and connect it again<br><br>The phone service usbmuxd must be "
    "installed and running (on Debian and Ubuntu: the package \"usbmuxd\").");
#endif

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
    if (text == QLatin1String(DEVICE_EVENT_CONNECT) || text == QLatin1String(DEVICE_EVENT_DISCONNECT)) {
        const bool connected = text == QLatin1String(DEVICE_EVENT_CONNECT);
        checkExport->setEnabled(connected);
        checkExport->setChecked(connected);
        Q_EMIT phoneChanged(connected);
        Q_EMIT statusChanged(connected ? QT_TRANSLATE_NOOP("MainDialog", "Ready.") : kConnectPhone);
    } else if (text == QLatin1String(DEVICE_EVENT_INIT_FAILED)) {
        // A phone that keeps failing sends this again and again, and the
        // box's own event loop delivers the next one: one box says it all.
        if (initFailedBox)
            return;
        QMessageBox box(QMessageBox::Information, QString::fromLatin1(Identity::kProductName), initFailedText(),
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
