#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QCheckBox;
class QMessageBox;
class QWidget;
struct DeviceBridge;

// The main window's side of the phone: the iTunes check at start, the phone
// events turned into the export check box and the status line, and the
// exports after a ringtone is made. The window owns it and keeps the check
// boxes; every call comes from the GUI thread.
class CPhoneLink final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPhoneLink)

public:
    // The check boxes and the window must outlive this object (they are its
    // siblings or its parent).
    CPhoneLink(DeviceBridge *bridge, QCheckBox *checkExport, QCheckBox *checkExportITunes, QWidget *window);

    // Sets the first status and the iTunes export choice; returns the iTunes
    // program to start after each conversion, empty when there is none.
    QString checkITunes();
    // A phone event text from the bridge ("connect", "disconnect", or one of
    // the failures to reach a phone); anything else is ignored.
    void onDeviceEvent(const QString &text);
    // Copies a finished ringtone to the phone and opens it in iTunes, as
    // chosen when it was made.
    void exportRingtone(const QString &path, int clipMilliseconds, bool toPhone, bool toITunes);

    // The status after copying a ringtone to the phone, for the bridge's
    // result of the addition (or of its commit): an untranslated literal
    // that says why a transfer failed, when the bridge said why.
    static const char *transferStatus(int result);

    // The failed-connection explanation, in the window's translation context:
    // the iTunes steps on Windows, the steps that help elsewhere.
    static QString initFailedText();
    // What to do about a failure to reach a phone, for a failure event text
    // of the bridge (DEVICE_EVENT_INIT_FAILED gives initFailedText()); empty
    // for any other text.
    static QString failureText(const QString &event);
    // The status line for a failure event text of the bridge (an
    // untranslated literal); null for any other text.
    static const char *failureStatus(const QString &event);

Q_SIGNALS:
    // Status texts are untranslated literals, translated by the window.
    void statusChanged(const char *source);
    void phoneChanged(bool connected);

private:
    DeviceBridge *bridge;
    QCheckBox *checkExport;
    QCheckBox *checkExportITunes;
    QWidget *window;
    QString iTunesPath;
    // The failed-connection box while it is shown.
    QPointer<QMessageBox> initFailedBox;
};
