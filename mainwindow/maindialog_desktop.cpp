// The main window as a desktop program: keys and the focus ring, what the
// machine cannot do, warnings before a bad ringtone, the window's place.
#include "maindialog.h"

#include "desktop.h"
#include "ffplay.h"
#include "focusring.h"
#include "framelesswindow.h"
#include "identity.h"
#include "settings.h"
#include "timeedit.h"
#include "ui_maindialog.h"
#include "volumeslider.h"
#include "clipslider.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>

#include <cmath>

namespace {
using RingtoneText::kSilentVolume;
using RingtoneText::kFadeOverClip;
const char kNoSound[] =
    QT_TRANSLATE_NOOP("MainDialog", "No sound device was found: the preview plays silently.");
const char kStopRingtone[] =
    QT_TRANSLATE_NOOP("MainDialog", "A ringtone is being made. Close Tonquill and stop making it?");
// Set by Generate; cleared here once the clip is long enough again.
const char kTooShort[] = "The clip is too short: move its end further from its start.";

// Qt takes the interface's direction from this entry of the loaded
// translation. Every translation, Arabic too, says "LTR": the skin's
// pictures are drawn for a window that reads from the left, and a mirrored
// row or menu over them would leave the window half turned round.
struct SourceWithComment
{
    const char *source;
    const char *comment;
};
[[maybe_unused]] const SourceWithComment kLayoutDirection = QT_TRANSLATE_NOOP3(
    "QGuiApplication", "QT_LAYOUT_DIRECTION",
    "Translate this string to the string 'LTR' in left-to-right languages or to 'RTL' in right-to-left "
    "languages (such as Hebrew and Arabic) to get proper widget layout.");

// Where Space is typed rather than taken for play/pause.
bool takesText(const QWidget *widget)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return !edit->isReadOnly();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return !spin->isReadOnly();
    return false;
}
} // namespace

QString volumeFactorText(int v)
{
    const int tenths = std::max(0, v) / 10;
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

void MainDialog::setupShortcuts()
{
    // Space is handled by eventFilter, before any control sees the key.
    qApp->installEventFilter(this);
    auto *open = new QShortcut(QKeySequence::Open, this);
    connect(open, &QShortcut::activated, this, &MainDialog::onBtnBrowseIn);
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &MainDialog::onBtnHelp);
    // Ctrl+Q whatever the platform's Quit says (none on some desktops).
    auto *quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    // Escape closes the window, as it closes any dialog; a ringtone being
    // made is not thrown away on a stray press without asking.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (converter.isRunning() && converter.jobType() == CAVConverter::JobEncodeRingtone
            && QMessageBox::question(this, QString::fromLatin1(Identity::kProductName), tr(kStopRingtone),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                   != QMessageBox::Yes)
            return;
        close();
    });
    CFocusRing::install(this);

    // Tab follows the window from top to bottom, and from the left along
    // controls that stand side by side: the window buttons end the input
    // file's row, Pause stands between Play and Play Clip. After Play (which
    // is disabled while it plays) comes Pause, where Space still pauses.
    const QList<QWidget *> order{ui->btnMenu,        ui->editInputFile,  ui->btnBrowseIn,      ui->btnMinimize,
                                 ui->btnClose,       ui->editStartTime,  ui->sliderVolume,     ui->editEndTime,
                                 ui->spinFadein,     ui->btnPlay,        ui->btnPause,         ui->btnPlayClip,
                                 ui->spinFadeout,    ui->editOutputName, ui->checkLoop,        ui->editOutputFolder,
                                 ui->btnBrowseOut,   ui->checkExport,    ui->checkExportITunes, ui->btnGenerate};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool MainDialog::eventFilter(QObject *object, QEvent *event)
{
    // Only key events meant for this window; a box or the manager over it
    // keeps its keys.
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(object, event);
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || widget->window() != this)
        return QDialog::eventFilter(object, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier && !takesText(widget)) {
        // Taken at the override already, so that a focused button, check
        // box or slider never acts on it too.
        event->accept();
        if (event->type() == QEvent::KeyPress && !key->isAutoRepeat())
            togglePlayback();
        return true;
    }
    // Space no longer presses a focused button: Enter does.
    if (event->type() == QEvent::KeyPress && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (auto *button = qobject_cast<QAbstractButton *>(widget); button && button->isEnabled()) {
            button->animateClick();
            return true;
        }
    }
    return QDialog::eventFilter(object, event);
}

void MainDialog::keepLeftToRight()
{
    // Also when the application is turned round (-reverse): the fixed places
    // of the form and the pictures under them are those of a left-to-right
    // window, and mirrored times would read "000.10:00:0".
    setLayoutDirection(Qt::LeftToRight);
    // Menus are windows of their own, which the direction does not reach.
    for (QMenu *menu : findChildren<QMenu *>())
        menu->setLayoutDirection(Qt::LeftToRight);
}

void MainDialog::togglePlayback()
{
    if (playState == PlayPlaying) {
        onBtnPause();
    } else if (playState == PlayPaused && clipPlaying) {
        // Space resumes what it paused: a clip goes on with its end, fades
        // and loop, which the player keeps for a resume.
        ffplay_toggle_pause();
    } else if (playState == PlayPaused) {
        onBtnPlay();
    } else if (ui->btnPlay->isEnabled()) {
        onBtnPlay();
    }
}

void MainDialog::tellIfSilent(int playResult)
{
    if (playResult != FFPLAY_NO_SOUND || silentTold)
        return;
    silentTold = true;
    setStatus(kNoSound);
}

void MainDialog::setupRingtoneWarnings()
{
    // After the window's own handlers, which move the clip first.
    connect(ui->sliderBar, &CClipSlider::clipChanged, this, &MainDialog::updateRingtoneWarnings);
    connect(ui->editStartTime, &CTimeEdit::timeChanged, this, &MainDialog::updateRingtoneWarnings);
    connect(ui->editEndTime, &CTimeEdit::timeChanged, this, &MainDialog::updateRingtoneWarnings);
    connect(ui->spinFadein, &QSpinBox::valueChanged, this, &MainDialog::updateRingtoneWarnings);
    connect(ui->sliderVolume, &CVolumeSlider::sliderMoved, this, &MainDialog::updateRingtoneWarnings);
}

void MainDialog::updateRingtoneWarnings()
{
    // A silent volume is told with or without a file; the fade needs a clip.
    const bool loaded = ui->sliderBar->isEnabled();
    const int volume = ui->sliderVolume->getVolume();
    double length = 0;
    const char *warning = nullptr;
    if (loaded) {
        double start = 0, end = 0;
        ui->sliderBar->getClip(start, end);
        length = std::floor((end - start) * 1000.0 + 1e-6) / 1000.0;
        warning = ringtoneWarning(length, ui->spinFadein->value(), volume);
    } else if (volume <= 0) {
        warning = kSilentVolume;
    }
    const QLatin1String shown(statusSource);
    if (warning) {
        if (shown != QLatin1String(warning))
            setStatus(warning);
        return;
    }
    const bool stale = shown == QLatin1String(kSilentVolume)
                       || (loaded && (shown == QLatin1String(kFadeOverClip)
                                      || (shown == QLatin1String(kTooShort) && length * 1000.0 >= kShortestClipMs)));
    if (stale)
        setStatus("");
}

bool MainDialog::confirmSilentRingtone()
{
    if (ui->sliderVolume->getVolume() > 0)
        return true;
    setStatus(kSilentVolume);
    return QMessageBox::question(this, QString::fromLatin1(Identity::kProductName),
                                 tr("The volume is 0: the ringtone would be silent. Make it anyway?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

void MainDialog::restorePosition()
{
    if (!FramelessWindow::platformTakesMasks())
        return;
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    QPoint position;
    if (restoredWindowPosition(readSetting(QStringLiteral("WindowPosition"), QString()), size(), screens,
                               &position))
        move(position);
}

void MainDialog::rememberPosition()
{
    // Wayland tells a window nothing of where it is.
    if (!FramelessWindow::platformTakesMasks() || !testAttribute(Qt::WA_WState_Created))
        return;
    writeSetting(QStringLiteral("WindowPosition"), savedWindowPosition(pos()));
}
