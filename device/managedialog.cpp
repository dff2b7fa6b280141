#include "managedialog.h"

#include "devicebridge.h"
#include "filepath.h"
#include "identity.h"
#include "mediaprobe.h"
#include "settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char kPhoneRingtoneFolder[] = "/iTunes_Control/Ringtones/";

const char kTextButtonStyle[] =
    "QPushButton{ border-image: url(:/images/button.png) ;}\n"
    "QPushButton:hover{ border-image: url(:/images/button_hover.png) ;}\n"
    "QPushButton:pressed{ border-image: url(:/images/button_down.png) ;}\n";

QPushButton *makeButton(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setStyleSheet(QString::fromLatin1(kTextButtonStyle));
    return button;
}

QString fileFilter()
{
    // Translated whole, then put in the form this platform's dialogs read.
    return fileDialogFilter(QCoreApplication::translate("ManageDialog", "Ringtone Formats(*.m4a;*.m4r)"));
}

} // namespace

QString escapeName(const QString &name)
{
    QString escaped = name;
    escaped.replace(QLatin1String("<"), QLatin1String("&lt;"));
    escaped.replace(QLatin1String(">"), QLatin1String("&gt;"));
    return escaped;
}

QString unescapeName(const QString &name)
{
    QString plain = name;
    plain.replace(QLatin1String("&lt;"), QLatin1String("<"));
    plain.replace(QLatin1String("&gt;"), QLatin1String(">"));
    return plain;
}

void Ui_manageDlg::setupUi(QDialog *manageDlg)
{
    if (manageDlg->objectName().isEmpty())
        manageDlg->setObjectName(QStringLiteral("manageDlg"));
    manageDlg->resize(537, 385);

    labelBg = new QLabel(manageDlg);
    labelBg->setObjectName(QStringLiteral("labelBg"));
    labelBg->setGeometry(0, 0, 537, 385);
    labelBg->setStyleSheet(QStringLiteral("border-image: url(:/images/register_bg.png);"));

    btnClose = new QPushButton(manageDlg);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(488, 14, 24, 24);
    btnClose->setFocusPolicy(Qt::NoFocus);
    btnClose->setStyleSheet(QStringLiteral(
        "QPushButton{ border-image: url(:/images/dlg_close_button.png) ;}\n"
        "QPushButton:hover{ border-image: url(:/images/dlg_close_hover.png) ;}\n"
        "QPushButton:pressed{ border-image: url(:/images/dlg_close_down.png) ;}\n"));

    btnRename = makeButton(manageDlg, "btnRename", {260, 150, 88, 29});
    btnRemove = makeButton(manageDlg, "btnRemove", {260, 200, 88, 29});

    labelName = new QLabel(manageDlg);
    labelName->setObjectName(QStringLiteral("labelName"));
    labelName->setGeometry(260, 120, 61, 20);
    labelName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labelName->setStyleSheet(QStringLiteral("QLabel:hover{color:green;}"));

    editName = new QLineEdit(manageDlg);
    editName->setObjectName(QStringLiteral("editName"));
    editName->setGeometry(340, 120, 141, 20);
    editName->setMaxLength(40);

    listRingtone = new QListWidget(manageDlg);
    listRingtone->setObjectName(QStringLiteral("listRingtone"));
    listRingtone->setGeometry(60, 100, 171, 241);
    listRingtone->setSelectionMode(QAbstractItemView::SingleSelection);

    labelTitle = new QLabel(manageDlg);
    labelTitle->setObjectName(QStringLiteral("labelTitle"));
    labelTitle->setGeometry(70, 70, 411, 16);
    QFont titleFont;
    titleFont.setPointSize(10);
    titleFont.setWeight(QFont::Bold);
    labelTitle->setFont(titleFont);

    btnIPhoneToPc = makeButton(manageDlg, "btnIPhoneToPc", {260, 250, 88, 29});
    btnPcToIPhone = makeButton(manageDlg, "btnPcToIPhone", {380, 300, 88, 29});
    btnReplace = makeButton(manageDlg, "btnReplace", {260, 300, 88, 29});

    retranslateUi(manageDlg);
}

void Ui_manageDlg::retranslateUi(QDialog *manageDlg)
{
    manageDlg->setWindowTitle(QCoreApplication::translate("manageDlg", "Manage"));
    btnClose->setText(QString());
    btnRename->setText(QCoreApplication::translate("manageDlg", "Rename"));
    btnRemove->setText(QCoreApplication::translate("manageDlg", "Remove"));
    labelName->setText(QCoreApplication::translate("manageDlg", "Name :"));
    labelTitle->setText(QCoreApplication::translate("manageDlg", "Manage ringtones on your iPhone."));
    btnIPhoneToPc->setText(QCoreApplication::translate("manageDlg", "Save To PC"));
    btnPcToIPhone->setText(QCoreApplication::translate("manageDlg", "Add To iPhone"));
    btnReplace->setText(QCoreApplication::translate("manageDlg", "Replace"));
}

ManageDialog::ManageDialog(QWidget *parent)
    : QxDialog(parent)
{
    setShapeFromImage(QStringLiteral(":/images/register_bg.png"));
    setupUi(this);

    connect(btnRemove, &QPushButton::clicked, this, &ManageDialog::onBtnRemove);
    connect(btnRename, &QPushButton::clicked, this, &ManageDialog::onBtnRename);
    connect(btnReplace, &QPushButton::clicked, this, &ManageDialog::onBtnReplace);
    connect(btnIPhoneToPc, &QPushButton::clicked, this, &ManageDialog::onBtnIPhoneToPc);
    connect(btnPcToIPhone, &QPushButton::clicked, this, &ManageDialog::onBtnPcToIPhone);
    connect(listRingtone, &QListWidget::currentRowChanged, this, &ManageDialog::onListSelectChange);
    connect(editName, &QLineEdit::textEdited, this, &ManageDialog::onEditNameChange);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    labelEmpty = new QLabel(listRingtone->viewport());
    labelEmpty->setObjectName(QStringLiteral("labelEmpty"));
    labelEmpty->setAlignment(Qt::AlignCenter);
    labelEmpty->setWordWrap(true);
    labelEmpty->setEnabled(false);
    // Follows the viewport's size, which is only known once the list is shown.
    auto *emptyLayout = new QVBoxLayout(listRingtone->viewport());
    emptyLayout->addWidget(labelEmpty);

    // Never released: the bridge outlives every window.
    bridge = createDeviceBridge();
    refreshList();

    btnRename->setEnabled(false);
    btnPcToIPhone->setEnabled(false);
    listRingtone->setCurrentRow(0);
    updateButtons();
}

QString ManageDialog::outputFolder() const
{
    // With no stored folder the dialogs start where the window stores its output.
    QString folder = readSetting(QStringLiteral("OutputFolder"), QString());
    if (folder.isEmpty())
        folder = defaultOutputFolder();
    return QDir::fromNativeSeparators(folder);
}

void ManageDialog::reloadAfterFailure(int row)
{
    // Rows are catalogue indexes: after a failed change the phone may hold
    // something else than the list shows, so the list is read again.
    refreshList();
    listRingtone->setCurrentRow(row < listRingtone->count() ? row : 0);
    btnRename->setEnabled(false);
    updateButtons();
}

void ManageDialog::refreshList()
{
    listRingtone->clear();
    if (!bridge || !bridge->getRingtone)
        return;
    for (int i = 0;; ++i) {
        char name[256] = {};
        char fileName[256] = {};
        if (bridge->getRingtone(0, i, name, int(sizeof name), fileName, int(sizeof fileName)) < 0)
            break;
        // The bridge fills both buffers, but a full one need not be terminated.
        name[sizeof name - 1] = '\0';
        fileName[sizeof fileName - 1] = '\0';
        auto *item = new QListWidgetItem(unescapeName(QString::fromUtf8(name)), listRingtone);
        item->setData(RingtonePathRole, QString::fromLatin1(kPhoneRingtoneFolder) + QString::fromUtf8(fileName));
    }
}

void ManageDialog::updateButtons()
{
    const bool hasRows = listRingtone->count() > 0;
    if (!hasRows) {
        editName->clear();
        currentName.clear();
    }
    labelEmpty->setText(phoneConnected ? tr("No ringtones on this iPhone yet.") : tr("No iPhone connected."));
    labelEmpty->setVisible(!hasRows);
    btnRemove->setEnabled(hasRows);
    btnReplace->setEnabled(hasRows);
    btnIPhoneToPc->setEnabled(hasRows);
    editName->setEnabled(hasRows);
}

void ManageDialog::onPhoneConnect(bool bConnect)
{
    phoneConnected = bConnect;
    if (bConnect) {
        refreshList();
        listRingtone->setCurrentRow(0);
        btnPcToIPhone->setEnabled(true);
    } else {
        listRingtone->clear();
        btnPcToIPhone->setEnabled(false);
    }
    btnRename->setEnabled(false);
    updateButtons();
}

void ManageDialog::onListSelectChange(int row)
{
    if (row < 0 || row >= listRingtone->count())
        return;
    currentName = listRingtone->item(row)->text();
    editName->setText(currentName);
}

void ManageDialog::onEditNameChange(const QString &text)
{
    btnRename->setEnabled(text != currentName);
}

void ManageDialog::onBtnRename()
{
    const QString text = editName->text();
    if (text == currentName)
        return;
    const int row = listRingtone->currentRow();
    if (!commit(bridge && bridge->renameRingtone
                    ? bridge->renameRingtone(0, row, escapeName(text).toUtf8().constData())
                    : -1)) {
        reloadAfterFailure(row);
        return;
    }
    if (QListWidgetItem *item = listRingtone->item(row)) {
        item->setText(text);
        currentName = text;
        btnRename->setEnabled(false);
    }
}

bool ManageDialog::commit(int changeResult)
{
    // The commit runs even after a failed change: earlier ones may be pending.
    const int committed = bridge && bridge->commitChanges ? bridge->commitChanges(0) : -1;
    return changeResult >= 0 && committed >= 0;
}

void ManageDialog::onBtnRemove()
{
    const int row = listRingtone->currentRow();
    if (row < 0)
        return;
    const auto answer = QMessageBox::question(this, QString::fromLatin1(Identity::kProductName),
                                              QStringLiteral("Remove Ringtone: %2").arg(currentName),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!commit(bridge && bridge->removeRingtone ? bridge->removeRingtone(0, row) : -1)) {
        reloadAfterFailure(row);
        return;
    }
    delete listRingtone->takeItem(row);
    updateButtons();
}

void ManageDialog::onBtnReplace()
{
    QListWidgetItem *item = listRingtone->currentItem();
    if (!item)
        return;
    const QString file = QFileDialog::getOpenFileName(this, QString(), outputFolder(), fileFilter());
    if (file.isEmpty())
        return;
    if (bridge && bridge->copyToDevice)
        bridge->copyToDevice(0, item->data(RingtonePathRole).toString().toUtf8().constData(),
                             file.toUtf8().constData());
}

void ManageDialog::onBtnIPhoneToPc()
{
    QListWidgetItem *item = listRingtone->currentItem();
    if (!item)
        return;
    CFilePath suggestion;
    // The file dialog would start elsewhere if the folder were not there yet.
    QDir().mkpath(outputFolder());
    suggestion.setDir(outputFolder());
    // A name such as "AC/DC" must not turn into a folder.
    QString baseName = sanitizeFileName(item->text());
    if (baseName.isEmpty())
        baseName = CFilePath(item->data(RingtonePathRole).toString()).baseName();
    suggestion.setBaseName(baseName);
    suggestion.setSuffix(QStringLiteral("m4r"));
    suggestion.makeUnique();
    const QString target = QFileDialog::getSaveFileName(this, QString(), suggestion.fullPath(), fileFilter());
    if (target.isEmpty())
        return;
    if (bridge && bridge->copyFromDevice)
        bridge->copyFromDevice(0, item->data(RingtonePathRole).toString().toUtf8().constData(),
                               target.toUtf8().constData());
}

void ManageDialog::onBtnPcToIPhone()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, QString(), outputFolder(), fileFilter());
    if (files.isEmpty())
        return;
    for (const QString &file : files) {
        const QByteArray path = QDir::toNativeSeparators(file).toUtf8();
        double seconds = 0.0;
        tonquill_probe(path.constData(), &seconds);
        // A file the probe cannot read goes with the length 0.
        const int milliseconds = seconds > 0 && seconds < 2e6 ? int(seconds * 1000) : 0;
        if (bridge && bridge->addRingtone)
            bridge->addRingtone(0, path.constData(), milliseconds);
    }
    if (bridge && bridge->commitChanges)
        bridge->commitChanges(0);
    refreshList();
    btnRename->setEnabled(false);
    listRingtone->setCurrentRow(0);
    updateButtons();
}
