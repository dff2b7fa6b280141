#pragma once

#include "qxdialog.h"

#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
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
    // The phone path of a row's ringtone ("/iTunes_Control/Ringtones/...").
    static constexpr int RingtonePathRole = Qt::UserRole + 1;

    explicit ManageDialog(QWidget *parent = nullptr);

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

private:
    void refreshList();
    void updateButtons();
    QString outputFolder() const;
    // Commits a change whose result is given; true when both succeeded.
    bool commit(int changeResult);
    void reloadAfterFailure(int row);

    DeviceBridge *bridge = nullptr;
    QString currentName;
    // Says why the list is empty; lies over the list's viewport.
    QLabel *labelEmpty = nullptr;
    bool phoneConnected = false;
};

// Names on the phone keep "<" and ">" as "&lt;" and "&gt;".
QString escapeName(const QString &name);
QString unescapeName(const QString &name);
