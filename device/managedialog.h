#pragma once

#include "qxdialog.h"

#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class CRingtonePreparer;
struct DeviceBridge;

// The manager's form: every widget with its place and look. The widgets are
// children of the dialog; this object only points at them.
class Ui_manageDlg
{
public:
    QLabel *labelBg = nullptr;
    QPushButton *btnClose = nullptr;
    QPushButton *btnRename = nullptr;
    QPushButton *btnRemove = nullptr;
    QLabel *labelName = nullptr;
    QLineEdit *editName = nullptr;
    QListWidget *listRingtone = nullptr;
    QLabel *labelTitle = nullptr;
    QPushButton *btnIPhoneToPc = nullptr;
    QPushButton *btnPcToIPhone = nullptr;
    QPushButton *btnReplace = nullptr;

    void setupUi(QDialog *manageDlg);
    void retranslateUi(QDialog *manageDlg);
};

namespace Ui {
class manageDlg : public Ui_manageDlg
{
};
}

// Lists the ringtones on the connected phone and renames, removes, replaces,
// saves and adds them through the device bridge.
class ManageDialog final : public QxDialog, private Ui::manageDlg
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ManageDialog)

public:
    // The phone path of a row's ringtone ("/iTunes_Control/Ringtones/..."):
    // the ringtone's identity, which outlives any row number.
    static constexpr int RingtonePathRole = Qt::UserRole + 1;
    // The ringtone's length in milliseconds; absent when the phone gives none.
    static constexpr int RingtoneLengthRole = Qt::UserRole + 2;

    explicit ManageDialog(QWidget *parent = nullptr);

    // Files chosen for the phone are being made into ringtones; the actions
    // wait meanwhile.
    bool isBusy() const;

public Q_SLOTS:
    void onPhoneConnect(bool bConnect);

private Q_SLOTS:
    void onBtnRemove();
    void onBtnRename();
    void onBtnReplace();
    void onBtnIPhoneToPc();
    void onBtnPcToIPhone();
    void onListSelectChange(int row);
    void onEditNameChange(const QString &text);

protected:
    void done(int result) override;

private:
    void refreshList();
    void updateButtons();
    QString outputFolder() const;
    // Commits a change whose result is given; the first failure, else 0.
    int commit(int changeResult);
    // Reads the phone again and selects the ringtone stored as phonePath,
    // or the row at fallbackRow when it is gone.
    void reloadAndSelect(const QString &phonePath, int fallbackRow);
    int rowOf(const QString &phonePath) const;
    // After a dialog, during which the phone may have left or changed: the
    // ringtone's row now, or -1 after telling the user it is gone.
    int findAgain(const QString &phonePath, const QString &name);
    // Makes ringtones of the chosen files, then finishes the action.
    void prepare(const QStringList &files);
    void onPrepared();
    void finishAdd();
    void finishReplace();
    // What went wrong with a file that cannot go to the phone.
    QString preparationProblem(int outcome, const QString &source, const QString &detail) const;
    QString tooLongWarning(const QString &source) const;
    // A failed bridge call's result in words; onPhone: the phone is written
    // (else a file on this computer).
    QString failureReason(int result, bool onPhone) const;
    void tell(const QString &text);
    void showStatus(const QString &text, const QString &detail = QString());

    DeviceBridge *bridge = nullptr;
    QString currentName;
    // Says why the list is empty; lies over the list's viewport.
    QLabel *labelEmpty = nullptr;
    // What the last action achieved.
    QLabel *labelStatus = nullptr;
    bool phoneConnected = false;
    // The failure that ended the last listing before its end (0: none); the
    // phone is then left alone.
    int listProblem = 0;
    CRingtonePreparer *preparer = nullptr;
    // The action waiting for the preparer.
    enum class Pending { None, Add, Replace } pending = Pending::None;
    // Replace: the ringtone whose sound is replaced, by its file on the phone.
    QString replacePhonePath;
    QString replaceName;
};

// A ringtone's length as the list shows it: "0:27", "1:02:03"; empty when
// negative (unknown).
QString ringtoneLengthText(int milliseconds);
