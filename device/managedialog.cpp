#include "managedialog.h"

#include "buttonfit.h"
#include "devicebridge.h"
#include "filepath.h"
#include "identity.h"
#include "ringtonejob.h"
#include "ringtonepreparer.h"
#include "settings.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QValidator>
#include <QVBoxLayout>

namespace {

const char kPhoneRingtoneFolder[] = "/iTunes_Control/Ringtones/";

// A longer ringtone is stored but never offered.
constexpr int kPhoneListsMilliseconds = int(kPhoneRingtoneSeconds * 1000);

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

// Draws a row's length right-aligned after its name ("Bell      0:27"), so
// that two ringtones of one name can be told apart. The row's text stays the
// bare name, which is what rename and the questions work with.
class RingtoneRowDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QVariant length = index.data(ManageDialog::RingtoneLengthRole);
        if (!length.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QString lengthText = ringtoneLengthText(length.toInt());
        QStyleOptionViewItem row = option;
        initStyleOption(&row, index);
        const QWidget *widget = row.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &row, widget);
        const int lengthWidth = row.fontMetrics.horizontalAdvance(lengthText);
        const int gap = row.fontMetrics.horizontalAdvance(QLatin1Char(' ')) * 2;
        // The name gives way to the length, never the other way round.
        row.text = row.fontMetrics.elidedText(row.text, Qt::ElideRight,
                                              qMax(0, textRect.width() - lengthWidth - gap));
        style->drawControl(QStyle::CE_ItemViewItem, &row, painter, widget);

        const QPalette::ColorGroup group = !(row.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (row.state & QStyle::State_Active) ? QPalette::Normal
                                                                                 : QPalette::Inactive;
        painter->save();
        painter->setFont(row.font);
        painter->setPen(row.palette.color(group, (row.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                      : QPalette::Text));
        painter->drawText(textRect.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter, lengthText);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        // Rows take the list's width whatever their names: a long name is
        // cut short rather than pushing every length out of sight.
        return {1, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

QString productName()
{
    return QString::fromLatin1(Identity::kProductName);
}

// A name goes to the phone as UTF-8 and comes back through the bridge's
// 256-byte buffer: anything longer would list cut. An edit past that is
// refused whole (a cut paste would change the name behind the user's back).
class NameLengthValidator final : public QValidator
{
public:
    static constexpr qsizetype kMaxBytes = 255;
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        return input.toUtf8().size() <= kMaxBytes ? Acceptable : Invalid;
    }
};

} // namespace

QString ringtoneLengthText(int milliseconds)
{
    if (milliseconds < 0)
        return QString();
    // Rounded: a clip cut at 29.98 s is a 30-second ringtone to its user.
    const int seconds = int((qint64(milliseconds) + 500) / 1000);
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
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
    // Against its field, in a right-to-left text too.
    labelName->setAlignment(Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute);
    labelName->setStyleSheet(QStringLiteral("QLabel:hover{color:green;}"));

    editName = new QLineEdit(manageDlg);
    editName->setObjectName(QStringLiteral("editName"));
    editName->setGeometry(340, 120, 141, 20);

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
    // A longer translation widens a button to the right, as far as the next
    // column (or the pane's edge) allows.
    for (QPushButton *button : {btnRename, btnRemove, btnIPhoneToPc, btnPcToIPhone, btnReplace}) {
        const int room = (button->x() < 380 ? 372 : 481) - button->x();
        button->resize(std::min(widthForText(button, 88), room), button->height());
    }
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
    // Names are stored as typed, as long as the phone's list can give them back.
    editName->setValidator(new NameLengthValidator(editName));
    connect(editName, &QLineEdit::inputRejected, this,
            [this] { showStatus(tr("The name cannot be any longer.")); });
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    listRingtone->setItemDelegate(new RingtoneRowDelegate(listRingtone));
    listRingtone->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    labelEmpty = new QLabel(listRingtone->viewport());
    labelEmpty->setObjectName(QStringLiteral("labelEmpty"));
    labelEmpty->setAlignment(Qt::AlignCenter);
    labelEmpty->setWordWrap(true);
    labelEmpty->setEnabled(false);
    // Follows the viewport's size, which is only known once the list is shown.
    auto *emptyLayout = new QVBoxLayout(listRingtone->viewport());
    emptyLayout->addWidget(labelEmpty);

    // Below the buttons, on the panel's free strip.
    labelStatus = new QLabel(this);
    labelStatus->setObjectName(QStringLiteral("labelStatus"));
    labelStatus->setGeometry(260, 336, 221, 18);
    labelStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    labelStatus->setTextFormat(Qt::PlainText);

    preparer = new CRingtonePreparer(this);
    connect(preparer, &CRingtonePreparer::finished, this, &ManageDialog::onPrepared);
    connect(preparer, &CRingtonePreparer::converting, this, [this](const QString &source, int percent) {
        showStatus(tr("Converting \u201c%1\u201d: %2 %").arg(QFileInfo(source).fileName()).arg(percent),
                   QDir::toNativeSeparators(source));
    });

    // Never released: the bridge outlives every window.
    bridge = createDeviceBridge();
    refreshList();

    btnRename->setEnabled(false);
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

void ManageDialog::refreshList()
{
    listRingtone->clear();
    listProblem = 0;
    if (!bridge || !bridge->getRingtone)
        return;
    for (int i = 0;; ++i) {
        char name[256] = {};
        char fileName[256] = {};
        const int got = bridge->getRingtone(0, i, name, int(sizeof name), fileName, int(sizeof fileName));
        if (got == DEVICE_ERR_NOT_FOUND)
            break;
        if (got < 0) {
            // Rows are listing indexes: a list read in part would pair later
            // changes with the wrong entries, so none is shown.
            listRingtone->clear();
            listProblem = got;
            break;
        }
        // The bridge fills both buffers, but a full one need not be terminated.
        name[sizeof name - 1] = '\0';
        fileName[sizeof fileName - 1] = '\0';
        // Shown as stored, which is what the phone itself shows.
        const QString text = QString::fromUtf8(name);
        auto *item = new QListWidgetItem(text, listRingtone);
        item->setData(RingtonePathRole, QString::fromLatin1(kPhoneRingtoneFolder) + QString::fromUtf8(fileName));
        int milliseconds = -1;
        if (bridge->getRingtoneInfo && bridge->getRingtoneInfo(0, i, &milliseconds) >= 0 && milliseconds >= 0) {
            item->setData(RingtoneLengthRole, milliseconds);
            item->setToolTip(QStringLiteral("%1  %2").arg(text, ringtoneLengthText(milliseconds)));
        }
    }
}

void ManageDialog::updateButtons()
{
    const bool hasRows = listRingtone->count() > 0;
    if (!hasRows) {
        editName->clear();
        currentName.clear();
    }
    if (!phoneConnected || listProblem == DEVICE_ERR_NO_PHONE)
        labelEmpty->setText(tr("No iPhone connected."));
    else if (listProblem < 0)
        labelEmpty->setText(tr("The ringtone list on this iPhone cannot be read."));
    else
        labelEmpty->setText(tr("No ringtones on this iPhone yet."));
    labelEmpty->setVisible(!hasRows);
    btnRemove->setEnabled(hasRows);
    btnReplace->setEnabled(hasRows);
    btnIPhoneToPc->setEnabled(hasRows);
    editName->setEnabled(hasRows);
    // A list that could not be read must not be written back with additions.
    btnPcToIPhone->setEnabled(phoneConnected && listProblem == 0);
    // While files are made into ringtones only the list and Close work; the
    // action waiting for them checks the phone again when they are ready.
    if (isBusy()) {
        for (QWidget *w : std::initializer_list<QWidget *>{btnRename, btnRemove, btnReplace, btnIPhoneToPc,
                                                           btnPcToIPhone, editName})
            w->setEnabled(false);
    }
}

bool ManageDialog::isBusy() const
{
    return pending != Pending::None;
}

void ManageDialog::done(int result)
{
    // Closed while files are converted: the user no longer wants them.
    if (isBusy()) {
        pending = Pending::None;
        preparer->clear();
        showStatus(QString());
        updateButtons();
    }
    QxDialog::done(result);
}

void ManageDialog::onPhoneConnect(bool bConnect)
{
    phoneConnected = bConnect;
    showStatus(QString());
    if (bConnect) {
        refreshList();
        listRingtone->setCurrentRow(0);
    } else {
        listRingtone->clear();
        listProblem = 0;
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
    const QString name = text.trimmed();
    btnRename->setEnabled(name != currentName && !name.isEmpty());
}

int ManageDialog::rowOf(const QString &phonePath) const
{
    for (int row = 0; row < listRingtone->count(); ++row) {
        if (listRingtone->item(row)->data(RingtonePathRole).toString() == phonePath)
            return row;
    }
    return -1;
}

int ManageDialog::findAgain(const QString &phonePath, const QString &name)
{
    const int row = rowOf(phonePath);
    if (row >= 0)
        return row;
    if (!phoneConnected && listRingtone->count() == 0)
        tell(tr("The iPhone was disconnected."));
    else
        tell(tr("\u201c%1\u201d is no longer on the iPhone.").arg(name));
    return -1;
}

void ManageDialog::reloadAndSelect(const QString &phonePath, int fallbackRow)
{
    refreshList();
    int row = rowOf(phonePath);
    if (row < 0)
        row = qBound(0, fallbackRow, listRingtone->count() - 1);
    listRingtone->setCurrentRow(row);
    // setCurrentRow() is silent when the row number stays the same.
    onListSelectChange(row);
    btnRename->setEnabled(false);
    updateButtons();
}

QString ManageDialog::failureReason(int result, bool onPhone) const
{
    switch (result) {
    case DEVICE_ERR_NO_SPACE:
        return onPhone ? tr("The iPhone is full.") : tr("The disk is full.");
    case DEVICE_ERR_PERMISSION:
        return onPhone ? tr("The iPhone or this computer denied access to the file.")
                       : tr("You have no permission to write to that folder.");
    case DEVICE_ERR_BUSY:
        return tr("Another program is syncing with the iPhone. Try again when it has finished.");
    case DEVICE_ERR_NO_PHONE:
        return tr("The iPhone was disconnected.");
    case DEVICE_ERR_DAMAGED:
        return tr("The ringtone list on this iPhone cannot be read.");
    case DEVICE_ERR_NOT_FOUND:
        return tr("The ringtone is no longer on the iPhone.");
    case DEVICE_ERR_STALE:
        return tr("The list was out of date; it now shows what the iPhone holds.");
    case DEVICE_ERR_INVALID:
        return onPhone ? tr("The file cannot be used as a ringtone.") : tr("That file name cannot be used.");
    default:
        return onPhone ? tr("The iPhone could not be read or written.") : tr("The file could not be written.");
    }
}

void ManageDialog::tell(const QString &text)
{
    // Plain text: a ringtone called "a<b>" must not turn into markup.
    QMessageBox box(QMessageBox::Information, productName(), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ManageDialog::showStatus(const QString &text, const QString &detail)
{
    labelStatus->setText(labelStatus->fontMetrics().elidedText(text, Qt::ElideMiddle, labelStatus->width()));
    labelStatus->setToolTip(detail.isEmpty() ? text : detail);
}

int ManageDialog::commit(int changeResult)
{
    // The commit runs even after a failed change: earlier ones may be pending.
    const int committed = bridge && bridge->commitChanges ? bridge->commitChanges(0) : DEVICE_ERR_INVALID;
    if (changeResult < 0)
        return changeResult;
    return committed < 0 ? committed : 0;
}

void ManageDialog::onBtnRename()
{
    const QString text = editName->text().trimmed();
    if (text == currentName)
        return;
    showStatus(QString());
    if (text.isEmpty()) {
        tell(tr("A ringtone needs a name."));
        return;
    }
    const int row = listRingtone->currentRow();
    const QListWidgetItem *item = listRingtone->item(row);
    if (!item)
        return;
    const QString phonePath = item->data(RingtonePathRole).toString();
    const QString oldName = item->text();
    const QByteArray name = text.toUtf8();
    int result = DEVICE_ERR_INVALID;
    if (bridge && bridge->renameRingtoneFile)
        result = bridge->renameRingtoneFile(0, phonePath.toUtf8().constData(), name.constData());
    else if (bridge && bridge->renameRingtone)
        result = bridge->renameRingtone(0, row, name.constData()); // an older bridge: by its last listing
    const int failed = commit(result);
    // Read back in every case: after a failure the phone may hold something
    // else than the list.
    reloadAndSelect(phonePath, row);
    if (failed < 0)
        tell(tr("Could not rename \u201c%1\u201d.").arg(oldName) + QLatin1Char('\n') + failureReason(failed, true));
}

void ManageDialog::onBtnRemove()
{
    const QListWidgetItem *item = listRingtone->currentItem();
    if (!item)
        return;
    const QString phonePath = item->data(RingtonePathRole).toString();
    const QString name = item->text();
    showStatus(QString());
    QMessageBox question(QMessageBox::Question, productName(), QStringLiteral("Remove Ringtone: %2").arg(name),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    question.setTextFormat(Qt::PlainText);
    if (question.exec() != QMessageBox::Yes)
        return;
    // The question's event loop lets the phone leave or change.
    const int row = findAgain(phonePath, name);
    if (row < 0)
        return;
    int result = DEVICE_ERR_INVALID;
    if (bridge && bridge->removeRingtoneFile)
        result = bridge->removeRingtoneFile(0, phonePath.toUtf8().constData());
    else if (bridge && bridge->removeRingtone)
        result = bridge->removeRingtone(0, row); // an older bridge: by its last listing
    const int failed = commit(result);
    reloadAndSelect(failed < 0 ? phonePath : QString(), row);
    if (failed < 0)
        tell(tr("Could not remove \u201c%1\u201d.").arg(name) + QLatin1Char('\n') + failureReason(failed, true));
}

void ManageDialog::onBtnReplace()
{
    const QListWidgetItem *item = listRingtone->currentItem();
    if (!item || isBusy())
        return;
    const QString phonePath = item->data(RingtonePathRole).toString();
    const QString name = item->text();
    showStatus(QString());
    const QString file = QFileDialog::getOpenFileName(this, QString(), outputFolder(), fileFilter());
    if (file.isEmpty())
        return;
    // The file dialog's event loop lets the phone leave or change: item may
    // be gone by now.
    if (findAgain(phonePath, name) < 0)
        return;
    replacePhonePath = phonePath;
    replaceName = name;
    pending = Pending::Replace;
    prepare({file});
}

void ManageDialog::finishReplace()
{
    const QString phonePath = replacePhonePath;
    const QString name = replaceName;
    const PreparedRingtone file = preparer->results().value(0);
    // The phone may have left or changed while the file was made ready.
    if (findAgain(phonePath, name) < 0)
        return;
    if (file.outcome != PreparedRingtone::Ready) {
        tell(preparationProblem(file.outcome, file.source, file.detail));
        return;
    }
    const int milliseconds = file.milliseconds;
    const QByteArray phone = phonePath.toUtf8();
    const QByteArray local = file.path.toUtf8();
    int result = DEVICE_ERR_INVALID;
    if (bridge && bridge->replaceRingtone)
        result = bridge->replaceRingtone(0, phone.constData(), local.constData(), milliseconds);
    else if (bridge && bridge->copyToDevice)
        result = bridge->copyToDevice(0, phone.constData(), local.constData());
    if (result < 0) {
        tell(tr("Could not replace the sound of \u201c%1\u201d.").arg(name) + QLatin1Char('\n')
             + failureReason(result, true));
        return;
    }
    // The new length shows.
    reloadAndSelect(phonePath, listRingtone->currentRow());
    showStatus(tr("Replaced the sound of \u201c%1\u201d.").arg(name));
    if (milliseconds > kPhoneListsMilliseconds)
        tell(tooLongWarning(file.source));
}

void ManageDialog::onBtnIPhoneToPc()
{
    const QListWidgetItem *item = listRingtone->currentItem();
    if (!item)
        return;
    const QString phonePath = item->data(RingtonePathRole).toString();
    const QString name = item->text();
    showStatus(QString());
    CFilePath suggestion;
    // The file dialog would start elsewhere if the folder were not there yet.
    QDir().mkpath(outputFolder());
    suggestion.setDir(outputFolder());
    // A name such as "AC/DC" must not turn into a folder.
    QString baseName = sanitizeFileName(name);
    if (baseName.isEmpty())
        baseName = CFilePath(phonePath).baseName();
    suggestion.setBaseName(baseName);
    suggestion.setSuffix(QStringLiteral("m4r"));
    suggestion.makeUnique();
    const QString target = QFileDialog::getSaveFileName(this, QString(), suggestion.fullPath(), fileFilter());
    if (target.isEmpty())
        return;
    if (findAgain(phonePath, name) < 0)
        return;
    const int result = bridge && bridge->copyFromDevice
                           ? bridge->copyFromDevice(0, phonePath.toUtf8().constData(), target.toUtf8().constData())
                           : DEVICE_ERR_INVALID;
    const bool onPhone = result == DEVICE_ERR_NO_PHONE || result == DEVICE_ERR_NOT_FOUND
                         || result == DEVICE_ERR_BUSY || result == DEVICE_ERR_DAMAGED;
    if (result < 0) {
        tell(tr("Could not save \u201c%1\u201d to %2.").arg(name, QDir::toNativeSeparators(target)) + QLatin1Char('\n')
             + failureReason(result, onPhone));
        return;
    }
    // A success that left no file behind is no success.
    if (!QFileInfo::exists(target)) {
        tell(tr("Could not save \u201c%1\u201d to %2.").arg(name, QDir::toNativeSeparators(target)) + QLatin1Char('\n')
             + failureReason(DEVICE_ERR_IO, false));
        return;
    }
    showStatus(tr("Saved \u201c%1\u201d as %2.").arg(name, QFileInfo(target).fileName()),
               QDir::toNativeSeparators(target));
}

void ManageDialog::onBtnPcToIPhone()
{
    if (isBusy())
        return;
    showStatus(QString());
    const QStringList files = QFileDialog::getOpenFileNames(this, QString(), outputFolder(), fileFilter());
    if (files.isEmpty())
        return;
    // The file dialog's event loop lets the phone leave or its list go bad.
    if (!phoneConnected || listProblem < 0) {
        tell(listProblem < 0 && listProblem != DEVICE_ERR_NO_PHONE ? failureReason(listProblem, true)
                                                                   : tr("The iPhone was disconnected."));
        return;
    }
    pending = Pending::Add;
    prepare(files);
}

void ManageDialog::finishAdd()
{
    // The phone may have left, or its list gone bad, while the files were
    // made ready.
    if (!phoneConnected || listProblem < 0) {
        tell(listProblem < 0 && listProblem != DEVICE_ERR_NO_PHONE ? failureReason(listProblem, true)
                                                                   : tr("The iPhone was disconnected."));
        return;
    }
    QStringList problems;
    QStringList warnings;
    int added = 0;
    bool changed = false;
    for (const PreparedRingtone &file : preparer->results()) {
        const QString shownPath = QDir::toNativeSeparators(file.source);
        if (file.outcome != PreparedRingtone::Ready) {
            problems << preparationProblem(file.outcome, file.source, file.detail);
            continue;
        }
        const QByteArray path = QDir::toNativeSeparators(file.path).toUtf8();
        const int result = bridge && bridge->addRingtone ? bridge->addRingtone(0, path.constData(), file.milliseconds)
                                                         : DEVICE_ERR_INVALID;
        changed = true;
        if (result >= 0) {
            ++added;
            if (file.milliseconds > kPhoneListsMilliseconds)
                warnings << tooLongWarning(file.source);
            continue;
        }
        problems << tr("Could not add \u201c%1\u201d.").arg(shownPath) + QLatin1Char(' ')
                        + failureReason(result, true);
        // These would fail the same way for every file left.
        if (result != DEVICE_ERR_INVALID && result != DEVICE_ERR_PERMISSION)
            break;
    }
    if (changed) {
        const int committed = commit(0);
        if (committed < 0 && added > 0) {
            problems << tr("The new ringtones could not be stored on the iPhone.") + QLatin1Char(' ')
                            + failureReason(committed, true);
            added = 0;
            warnings.clear();
        }
    }
    refreshList();
    btnRename->setEnabled(false);
    listRingtone->setCurrentRow(0);
    updateButtons();
    if (added > 0)
        showStatus(tr("Ringtones added: %1.").arg(added));
    if (!problems.isEmpty() || !warnings.isEmpty())
        tell((problems + warnings).join(QLatin1Char('\n')));
}

void ManageDialog::prepare(const QStringList &files)
{
    showStatus(tr("Preparing, please wait..."));
    updateButtons();
    preparer->start(files);
}

void ManageDialog::onPrepared()
{
    const Pending action = pending;
    pending = Pending::None;
    showStatus(QString());
    updateButtons();
    if (action == Pending::Add)
        finishAdd();
    else if (action == Pending::Replace)
        finishReplace();
    // The copies have gone to the phone, or are of no use.
    preparer->clear();
}

QString ManageDialog::preparationProblem(int outcome, const QString &source, const QString &detail) const
{
    const QString shownPath = QDir::toNativeSeparators(source);
    if (outcome == PreparedRingtone::NotConverted)
        return tr("\u201c%1\u201d could not be made into a ringtone (%2).").arg(shownPath, detail);
    return tr("\u201c%1\u201d is not a playable audio file.").arg(shownPath);
}

QString ManageDialog::tooLongWarning(const QString &source) const
{
    return tr("\u201c%1\u201d is longer than 40 seconds: the iPhone will not list it.")
        .arg(QDir::toNativeSeparators(source));
}
