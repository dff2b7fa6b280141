#include "maindialog.h"

#include "aboutdialog.h"
#include "aside.h"
#include "clipslider.h"
#include "desktop.h"
#include "devicebridge.h"
#include "ffplay.h"
#include "managedialog.h"
#include "phonelink.h"
#include "filepath.h"
#include "outputnames.h"
#include "picture.h"
#include "wavelength.h"
#include "mediaprobe.h"
#include "waveimage.h"
#include "wavepeaks.h"
#include "identity.h"
#include "linkopener.h"
#include "language.h"
#include "settings.h"
#include "skingeometry.h"
#include "timeedit.h"
#include "ui_maindialog.h"
#include "volumeslider.h"

#include <QAction>
#include <QBitmap>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMimeData>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QShortcut>
#include <QPushButton>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cmath>
#include <future>
#include <limits>
#include <memory>

MainDialog *theMainDialog = nullptr;

// Every status shown and every ringtone job started, for whoever drives the
// window from outside (the real-window test): off unless turned on with
// QT_LOGGING_RULES="tonquill.window.debug=true".
Q_LOGGING_CATEGORY(lcWindow, "tonquill.window", QtInfoMsg)

namespace {

// Runs on whatever thread the player reports from: it only emits, and the
// automatic connection queues the handling onto the GUI thread.
int playStateCallback(int state, void *user)
{
    if (auto *dialog = static_cast<MainDialog *>(user))
        Q_EMIT dialog->onPlayStateChanged2(state);
    return 0;
}

int deviceEventCallback(int kind, const char *text)
{
    if (kind == 0 && theMainDialog && text)
        Q_EMIT theMainDialog->onIPhoneChanged2(QString::fromLatin1(text));
    return 0;
}

struct WindowImages
{
    std::array<QImage, 6> pictures;
    // Set where the background is fully transparent: outside the window.
    QImage outside;
};

// coveredOutline: the window is cut by a mask and has no alpha channel.
WindowImages decodeWindowImages(qreal screenRatio, bool coveredOutline)
{
    WindowImages images;
    const char16_t *const names[] = {u"main_bg", u"left_back", u"left_fore",
                                     u"right_back", u"right_fore", u"disc"};
    for (size_t i = 0; i < images.pictures.size(); ++i)
        images.pictures[i] = readPicture(names[i], screenRatio);
    // The outline is cut in the window's own pixels: from the 1x picture.
    const QImage background = images.pictures[0].devicePixelRatio() == 1.0 ? images.pictures[0]
                                                                           : readPicture(u"main_bg");
    if (!background.isNull())
        images.outside = background.createMaskFromColor(QColor(Qt::transparent).rgba(), Qt::MaskInColor);
    if (coveredOutline)
        images.pictures[0] = coveredByFlat(images.pictures[0], background);
    // The style sheet's pictures are PNGs that the GUI thread reads while it
    // builds the form. The first read anywhere also builds the image reader's
    // plugin table, which loads Qt's image format plugins; done here, it
    // costs the GUI thread nothing.
    (void)QImage(QStringLiteral(":/images/edit_border.png"));
    return images;
}

std::future<WindowImages> &pendingDecoding()
{
    static std::future<WindowImages> pending;
    return pending;
}

// The decoding started by preloadPictures(), or a new one.
std::future<WindowImages> takePictureDecoding()
{
    std::future<WindowImages> decoding = std::move(pendingDecoding());
    if (!decoding.valid())
        decoding = startAside(decodeWindowImages, pictureRatio(),
                              FramelessWindow::platformTakesMasks());
    return decoding;
}

} // namespace

void MainDialog::preloadPictures()
{
    if (!pendingDecoding().valid())
        pendingDecoding() = startAside(decodeWindowImages, pictureRatio(),
                                       FramelessWindow::platformTakesMasks());
}

LitRows leftBarLitRows(int v)
{
    return {mainskin::leftBarFirstLitRow(v), mainskin::kLeftBar.size.height() - 1};
}

LitRows rightBarLitRows(int v)
{
    return {mainskin::rightBarFirstLitRow(v), mainskin::kRightBar.size.height() - 1};
}

MainDialog::MainDialog(QWidget *parent)
    // No system frame: the window is the opaque part of its background.
    : QDialog(parent, FramelessWindow::withoutSystemFrame(Qt::WindowMinimizeButtonHint))
    , ui(new Ui::MainDialog)
{
    std::future<WindowImages> decoded = takePictureDecoding();

    ui->setupUi(this);
    setAcceptDrops(true);
    // Enter in a field takes what was typed; it must not also press a
    // button (QDialog makes every push button an auto-default one).
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // A typed time is taken when it is entered, not at every keystroke, so
    // that its half-typed values are never clamped against the other end.
    ui->editStartTime->setKeyboardTracking(false);
    ui->editEndTime->setKeyboardTracking(false);

    actionManage = new QAction(QIcon(QStringLiteral(":/images/tool.png")), tr("&Manage..."), this);
    actionAbout = new QAction(QIcon(QStringLiteral(":/images/about.png")), tr("&About"), this);
    actionHelp = new QAction(QIcon(QStringLiteral(":/images/help.png")), tr("&Help"), this);
    actionHomePage = new QAction(QIcon(QStringLiteral(":/images/home.png")), tr("&HomePage"), this);

    auto *menu = new QMenu(QString(), this);
    menu->setWindowOpacity(0.8);
    menu->addAction(actionManage);
    languageMenu = QxLanguage::instance()->createMenu(this);
    menu->addMenu(languageMenu);
    menu->addSeparator();
    menu->addAction(actionHelp);
    menu->addAction(actionHomePage);
    menu->addAction(actionAbout);
    ui->btnMenu->setMenu(menu);

    connect(actionManage, &QAction::triggered, this, &MainDialog::onBtnManage);
    connect(actionAbout, &QAction::triggered, this, &MainDialog::onBtnAbout);
    connect(actionHelp, &QAction::triggered, this, &MainDialog::onBtnHelp);
    connect(actionHomePage, &QAction::triggered, this, &MainDialog::onBtnHome);
    connect(ui->btnMinimize, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(ui->btnClose, &QPushButton::clicked, this, &QWidget::close);

    const WindowImages images = decoded.get();
    pictures.background = QPixmap::fromImage(images.pictures[0]);
    pictures.leftBack = QPixmap::fromImage(images.pictures[1]);
    pictures.leftFore = QPixmap::fromImage(images.pictures[2]);
    pictures.rightBack = QPixmap::fromImage(images.pictures[3]);
    pictures.rightFore = QPixmap::fromImage(images.pictures[4]);
    pictures.disc = QPixmap::fromImage(images.pictures[5]);

    // A missing picture leaves the window rectangular rather than empty.
    if (!images.outside.isNull())
        FramelessWindow::shapeWindow(this, QBitmap::fromImage(images.outside));

    connect(ui->labelManage, &QLabel::linkActivated, this, &MainDialog::onBtnManage);
    connect(ui->labelAbout, &QLabel::linkActivated, this, &MainDialog::onBtnAbout);
    connect(ui->labelHelp, &QLabel::linkActivated, this, &MainDialog::onBtnHelp);
    connect(ui->labelHome, &QLabel::linkActivated, this, &MainDialog::onBtnHome);

    applyCornerCutMask(ui->sliderBar, 10);
    ui->sliderBar->setClip(0, 0);
    ui->sliderBar->hide();
    ui->progressBar->hide();

    connect(ui->btnBrowseIn, &QPushButton::clicked, this, &MainDialog::onBtnBrowseIn);
    connect(ui->btnBrowseOut, &QPushButton::clicked, this, &MainDialog::onBtnBrowseOut);
    connect(ui->btnPlay, &QPushButton::clicked, this, &MainDialog::onBtnPlay);
    connect(ui->btnPause, &QPushButton::clicked, this, &MainDialog::onBtnPause);
    connect(ui->btnPlayClip, &QPushButton::clicked, this, &MainDialog::onBtnPlayClip);
    // Turned on or off while the clip plays, the loop takes effect at this
    // round's end.
    connect(ui->checkLoop, &QCheckBox::toggled, this, [this](bool on) {
        if (clipPlaying)
            ffplay_loop(on);
    });
    connect(ui->btnGenerate, &QPushButton::clicked, this, &MainDialog::onBtnGenerate);
    connect(ui->sliderBar, &CClipSlider::posChanged, this, &MainDialog::onSliderMoved);
    connect(ui->sliderBar, &CClipSlider::clipChanged, this, &MainDialog::onClipChanged);
    connect(ui->editStartTime, &CTimeEdit::timeChanged, this, &MainDialog::onStartTimeChanged);
    connect(ui->editEndTime, &CTimeEdit::timeChanged, this, &MainDialog::onEndTimeChanged);
    connect(ui->sliderVolume, &CVolumeSlider::sliderMoved, this, &MainDialog::onVolumeSliderMoved);
    connect(this, &MainDialog::onPlayStateChanged2, this, &MainDialog::onPlayStateChanged);
    connect(this, &MainDialog::onIPhoneChanged2, this, &MainDialog::onIPhoneChanged);
    connect(&converter, &CAVConverter::finished, this, &MainDialog::onAVConverterFinished);
    connect(&waveLoader, &CWaveformLoader::loaded, this, &MainDialog::showWaveform);

    ui->editStartTime->setMaximumMsecs(0);
    ui->editEndTime->setMaximumMsecs(0);
    // The keys stop a handle where Generate would still take the clip.
    ui->sliderBar->setShortestClip(kShortestClipMs * 0.001);
    ui->labelLengthValue->setText(QStringLiteral("00:00:00.000"));

    ui->btnPlay->setEnabled(false);
    ui->btnPause->setEnabled(false);
    ui->btnPlayClip->setEnabled(false);
    ui->btnGenerate->setEnabled(false);
    ui->checkExport->setEnabled(false);

    ui->sliderBar->setRange(0, 1000);
    ui->sliderBar->setEnabled(false);

    discAngle = 0.0;

    ffplay_init();
    ffplay_set_callback(&playStateCallback, this);

    mediaDuration = 0.0;
    playState = PlayStopped;
    clipPlaying = false;
    playTimerId = 0;
    progressTimerId = 0;
    syncingFromSlider = false;
    // Must be set before the bridge can call back.
    theMainDialog = this;

    deviceBridge = createDeviceBridge();
    phoneLink = new CPhoneLink(deviceBridge, ui->checkExport, ui->checkExportITunes, this);
    connect(phoneLink, &CPhoneLink::statusChanged, this, qOverload<const char *>(&MainDialog::setStatus));
    connect(phoneLink, &CPhoneLink::phoneChanged, this, &MainDialog::phoneChanged);
    if (deviceBridge && deviceBridge->setEventCallback)
        deviceBridge->setEventCallback(&deviceEventCallback);

    QxLanguage::instance()->setLanguage(readSetting(QStringLiteral("UiLanguage"), QString()));
    ui->editOutputFolder->setText(readSetting(QStringLiteral("OutputFolder"), defaultOutputFolder()));

    checkITunes();
    setupShortcuts();
    setupLengthWarning();
    setupRingtoneWarnings();
    keepLeftToRight();
    restorePosition();
}

MainDialog::~MainDialog()
{
    // Before the temporary folder goes with its member: the encoder must not
    // be writing into a folder that is being removed.
    converter.stop();
    waveLoader.stop();
    rememberPosition();
    // The player lives on; it must not report to a window that is gone.
    ffplay_set_callback(nullptr, nullptr);
    // The same for the bridge; unregistering waits for an event being sent,
    // so the callback can no longer reach this window once it is cleared.
    if (theMainDialog == this) {
        if (deviceBridge && deviceBridge->setEventCallback)
            deviceBridge->setEventCallback(nullptr);
        theMainDialog = nullptr;
    }
    delete ui;
}

void MainDialog::setStatus(const char *source)
{
    setStatus(source, QString());
}

void MainDialog::setStatus(const char *source, const QString &reason)
{
    statusSource = source ? source : "";
    statusReason = reason;
    showStatus();
}

void MainDialog::showStatus()
{
    QString text = tr(statusSource);
    if (!statusReason.isEmpty())
        text += QLatin1Char(' ') + failureHint(statusReason);
    ui->labelStatus->setText(text);
    // The line may be cut by the window's edge (translations run longer);
    // the tooltip then holds it whole, and always the encoder's own words.
    QLabel *label = ui->labelStatus;
    label->ensurePolished();
    const bool cut = label->fontMetrics().horizontalAdvance(text) > label->contentsRect().width();
    label->setToolTip(!statusReason.isEmpty() ? text + QStringLiteral("\n\n") + statusReason
                      : cut                   ? text
                                              : QString());
    qCDebug(lcWindow).noquote() << "status:" << text;
}

void MainDialog::checkITunes()
{
    iTunesPath = phoneLink->checkITunes();
}

void MainDialog::retranslateActions()
{
    actionManage->setText(tr("&Manage..."));
    actionHelp->setText(tr("&Help"));
    actionHomePage->setText(tr("&HomePage"));
    actionAbout->setText(tr("&About"));
    languageMenu->setTitle(tr("Language"));
}

void MainDialog::changeEvent(QEvent *event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    writeSetting(QStringLiteral("UiLanguage"), QxLanguage::instance()->currentLanguage());
    ui->retranslateUi(this);
    retranslateActions();
    showStatus();
    onVolumeSliderMoved(ui->sliderVolume->getVolume());
    setWindowTitle(QString::fromLatin1(Identity::kProductName));
}

void MainDialog::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == playTimerId)
        playbackTick();
    else if (event->timerId() == progressTimerId)
        progressTick();
    else
        QDialog::timerEvent(event);
    update();
}

void MainDialog::mousePressEvent(QMouseEvent *event)
{
    if (drag.press(event))
        event->accept();
}

void MainDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (drag.move(event))
        event->accept();
}

void MainDialog::mouseReleaseEvent(QMouseEvent *)
{
    drag.release();
}

void MainDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int v = ui->progressBar->value();

    painter.drawPixmap(0, 0, pictures.background);

    const auto drawBar = [&](const mainskin::LevelBar &bar, const QPixmap &back, const QPixmap &fore,
                             LitRows lit) {
        painter.drawPixmap(bar.topLeft, back);
        if (lit.first <= lit.last) {
            const QRectF part(0, lit.first, bar.size.width(), lit.last - lit.first + 1);
            painter.drawPixmap(part.translated(bar.topLeft), fore, picturePixels(fore, part));
        }
    };
    drawBar(mainskin::kLeftBar, pictures.leftBack, pictures.leftFore, leftBarLitRows(v));
    drawBar(mainskin::kRightBar, pictures.rightBack, pictures.rightFore, rightBarLitRows(v));

    painter.save();
    // Smooth sampling keeps the turning disc from shimmering at its edge.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(mainskin::kDiscCentre);
    painter.rotate(discAngle);
    painter.translate(-mainskin::kDiscCentre);
    painter.drawPixmap(mainskin::kDiscRect, pictures.disc);
    painter.restore();
}

void MainDialog::onBtnHelp()
{
    CLinkOpener::open(this, QUrl::fromLocalFile(helpFilePath(QCoreApplication::applicationDirPath(),
                                                             QxLanguage::instance()->currentLanguage())));
}

void MainDialog::onBtnHome()
{
    CLinkOpener::open(this, QUrl(productPageUrl()));
}

void MainDialog::onBtnAbout()
{
    AboutDialog about(this);
    about.exec();
}

void MainDialog::onBtnManage()
{
    ManageDialog manager(this);
    connect(this, &MainDialog::phoneChanged, &manager, &ManageDialog::onPhoneConnect);
    if (ui->checkExport->isEnabled())
        Q_EMIT phoneChanged(true);
    manager.exec();
}

void MainDialog::onIPhoneChanged(const QString &connect)
{
    phoneLink->onDeviceEvent(connect);
}

void MainDialog::onVolumeSliderMoved(int value)
{
    // Above the middle the slider boosts four times faster, up to 5.00x at 198.
    int v = value;
    if (v > 100)
        v = 4 * v - 292;
    ffplay_set_volume(encoderVolume(value) / 256.0);
    // Tenths throughout ("0.5x", "1.0x", "2.0x"): the label keeps one form
    // from 0 to 5x.
    const QString number = volumeFactorText(v);
    ui->labelVolume->setText(tr("Volume: %1x").arg(number));
}

namespace {

QString hmsText(double seconds)
{
    // Whole seconds; the fraction is dropped. Past a day the hours go on.
    return ClockText::format(qint64(seconds) * 1000, 2, false);
}

// Clip times are whole milliseconds (see the timeline), but 4.2 * 1000 is
// 4199.99...: a plain truncation would lose a millisecond here and there.
qint64 wholeMs(double seconds)
{
    return qint64(std::floor(seconds * 1000.0 + 1e-6));
}

QString lengthText(double seconds)
{
    return ClockText::format(wholeMs(seconds), 2);
}

// The time editors hold milliseconds: a QTime would wrap past a day.
qint64 editorTime(double seconds)
{
    return wholeMs(seconds);
}

double editorSeconds(qint64 ms)
{
    return ms * 0.001;
}

// The formats FFmpeg reads that users keep music and films in; written
// Windows-style and adapted by fileDialogFilter().
const char kVideoPatterns[] =
    "*.avi;*.asf;*.wmv;*.mp4;*.m4v;*.mov;*.mpg;*.mpeg;*.mts;*.m2ts;*.ts;*.dat;*.3gp;*.3g2;*.mkv;*.rm;"
    "*.rmvb;*.flv;*.vob;*.mod;*.tod;*.ogm;*.ogv;*.webm";
const char kAudioPatterns[] =
    "*.mp3;*.wav;*.wma;*.m4a;*.m4b;*.m4r;*.aac;*.ogg;*.oga;*.opus;*.flac;*.ra;*.ape;*.aud;*.aiff;*.aif;"
    "*.amr;*.ac3;*.mka;*.wv";

} // namespace

QString inputFileFilter()
{
    // The patterns go in before the labels, so a translated label can never
    // be taken for a pattern.
    const QString video = QString::fromLatin1(kVideoPatterns);
    const QString audio = QString::fromLatin1(kAudioPatterns);
    const QString layout = QStringLiteral("%2(") + video + QLatin1Char(';') + audio + QStringLiteral(");;%3(")
                           + video + QStringLiteral(");;%4(") + audio + QStringLiteral(");;%1(*.*)");
    return fileDialogFilter(layout.arg(MainDialog::tr("All files"), MainDialog::tr("All Supported Formats"),
                                       MainDialog::tr("Supported Video"), MainDialog::tr("Supported Audio")));
}

void MainDialog::onBtnBrowseIn()
{
    QString startFolder = ui->editInputFile->text();
    if (startFolder.isEmpty())
        startFolder = nearestExistingFolder(readSetting(QStringLiteral("InputDir"), documentsFolder()));
    const QString file = QFileDialog::getOpenFileName(this, tr("Open"), startFolder, inputFileFilter());
    if (file.isEmpty())
        return;
    writeSetting(QStringLiteral("InputDir"), CFilePath(file).dir());
    loadInputFile(file);
}

Qt::DropAction fileDropAction(Qt::DropActions possible)
{
    // The file is only read: a Move the source proposes would have it delete
    // the user's original once the drop is done.
    if (possible & Qt::CopyAction)
        return Qt::CopyAction;
    if (possible & Qt::LinkAction)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

namespace {
// Accepts a file drag as a copy (or link), never as the source's proposal.
bool acceptFileDrag(QDropEvent *event)
{
    const Qt::DropAction action = fileDropAction(event->possibleActions());
    if (action == Qt::IgnoreAction || !event->mimeData()->hasFormat(QStringLiteral("text/uri-list"))) {
        event->ignore();
        return false;
    }
    event->setDropAction(action);
    event->accept();
    return true;
}
} // namespace

void MainDialog::dragEnterEvent(QDragEnterEvent *event)
{
    acceptFileDrag(event);
}

void MainDialog::dragMoveEvent(QDragMoveEvent *event)
{
    // Again on every move: a modifier pressed meanwhile changes the proposal.
    acceptFileDrag(event);
}

void MainDialog::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    const QString path = urls.isEmpty() ? QString() : urls.first().toLocalFile();
    if (path.isEmpty() || !acceptFileDrag(event)) {
        event->ignore();
        return;
    }
    loadInputFile(path);
}

void MainDialog::loadInputFile(const QString &path)
{
    const QByteArray utf8Path = QDir::toNativeSeparators(path).toUtf8();
    double d = 0.0;
    // A named pipe would hold the probe, and so the window, until something
    // wrote to it; a folder or a device is no media file either. A missing
    // file is the probe's to refuse.
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        tonquill_probe(utf8Path.constData(), &d);
    // NaN and the unknown-length marker fail this test too. A refused file
    // changes nothing, not even the output name: the next Generate would
    // otherwise save the current file's sound under the refused file's name.
    if (!(d > 0.5)) {
        QMessageBox::information(this, QString::fromLatin1(Identity::kProductName), tr("Invalid input file"),
                                 QMessageBox::Ok);
        return;
    }
    ui->editOutputName->setText(CFilePath(path).baseName());

    ffplay_stop();
    ui->editInputFile->setText(QDir::toNativeSeparators(path));
    applyLength(d);
    ui->sliderBar->setEnabled(true);
    ui->btnPlay->setEnabled(true);
    ui->btnPlayClip->setEnabled(true);

    // Whole milliseconds, as the editors show it.
    const double clip = editorSeconds(editorTime(d < kDefaultClipSeconds ? d : kDefaultClipSeconds));
    ui->sliderBar->setPos(0);
    ui->sliderBar->setClip(0, clip);
    showClip(0, clip);
    ui->editStartTime->setCurrentSection(CTimeEdit::Section::Second);
    ui->editEndTime->setCurrentSection(CTimeEdit::Section::Second);

    ui->progressBar->setValue(0);
    ui->sliderBar->hide();
    keepOutcome = false;
    setStatus(QT_TR_NOOP("File is loading, please wait..."));
    repaint();

    ffplay_open(utf8Path.constData(), 0, 0);

    // Nothing of the previous file's waveform may reach the timeline now.
    waveLoader.cancel();
    // One job at a time: a load during a running job gets its waveform as
    // soon as that job has finished.
    if (converter.isRunning())
        waveformPending = true;
    else
        startWaveformJob();
}

void MainDialog::applyLength(double seconds)
{
    mediaDuration = seconds;
    durationText = hmsText(seconds);
    ui->labelPlayTime->setText(QStringLiteral("00:00:00 / %1").arg(durationText));
    // The editors span the whole file; a typed time is clamped against the
    // other editor only once it has been entered.
    const qint64 longest = editorTime(seconds);
    ui->editStartTime->setMaximumMsecs(longest);
    ui->editEndTime->setMaximumMsecs(longest);
    ui->sliderBar->setRange(0, seconds);
}

void MainDialog::applyDecodedLength(double seconds)
{
    // Within a millisecond is the same length; so is an unknown one.
    if (!(seconds > 0.0) || std::abs(seconds - mediaDuration) < 0.001)
        return;
    double start = 0, end = 0;
    ui->sliderBar->getClip(start, end);
    applyLength(seconds);
    const double last = editorSeconds(editorTime(seconds));
    end = std::min(end, last);
    start = std::min(start, end);
    ui->sliderBar->setClip(start, end);
    showClip(start, end);
}

void MainDialog::showClip(double begin, double end)
{
    syncingFromSlider = true;
    ui->editStartTime->setMsecs(editorTime(begin));
    ui->editEndTime->setMsecs(editorTime(end));
    ui->labelLengthValue->setText(lengthText(end - begin));
    syncingFromSlider = false;
}

QString MainDialog::waveFolder()
{
    if (!waveTemp) {
        waveTemp = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tonquill-XXXXXX"));
        if (!waveTemp->isValid())
            qDebug("Could not make a temporary folder for waveforms: %s", qPrintable(waveTemp->errorString()));
    }
    return waveTemp->isValid() ? waveTemp->path() : QString();
}

void MainDialog::startWaveformJob()
{
    waveformPending = false;
    // Never the shared temporary folder itself: another user could have put
    // a link there under the name we are about to write.
    const QString folder = waveFolder();
    prepareWaveformJob(converter, ui->editInputFile->text(),
                       folder.isEmpty() ? QString() : OutputNames::waveFile(folder, ui->editInputFile->text()));
    startJob(CAVConverter::JobExtractWave, mediaDuration);
}

void MainDialog::startJob(int jobType, double outputSeconds)
{
    jobSeconds = outputSeconds;
    if (progressTimerId == 0)
        progressTimerId = startTimer(500);
    ui->btnGenerate->setEnabled(false);
    converter.start(jobType);
}

void MainDialog::onBtnPlay()
{
    if (playState == PlayPaused) {
        // Play goes on with the whole file: a paused clip's end, fade-out
        // and loop no longer hold.
        if (clipPlaying) {
            ffplay_fadeout(0.0, -1.0);
            ffplay_loop(0);
        }
        ffplay_toggle_pause();
    } else if (playState == PlayStopped) {
        ui->btnPlay->setEnabled(false);
        tellIfSilent(ffplay_play());
    }
    clipPlaying = false;
}

void MainDialog::onBtnPause()
{
    ffplay_toggle_pause();
}

void MainDialog::onBtnPlayClip()
{
    double start = 0, end = 0;
    if (playState == PlayPaused) {
        ui->sliderBar->getClip(start, end);
        ffplay_fadein(ui->spinFadein->value());
        ffplay_fadeout(ui->spinFadeout->value(), end);
        ffplay_loop(ui->checkLoop->isChecked());
        ffplay_seek(start);
        ffplay_toggle_pause();
    } else if (playState == PlayStopped) {
        ui->btnPlayClip->setEnabled(false);
        ui->sliderBar->getClip(start, end);
        ffplay_fadein(ui->spinFadein->value());
        ffplay_fadeout(ui->spinFadeout->value(), end);
        ffplay_loop(ui->checkLoop->isChecked());
        ffplay_seek(start);
        tellIfSilent(ffplay_play());
    }
    clipPlaying = true;
}

void MainDialog::onPlayStateChanged(int state)
{
    playState = state;
    if (state != PlayStopped && state != PlayPlaying && state != PlayPaused)
        return;
    const bool playing = state == PlayPlaying;
    // A keyboard user on the preview buttons stays on them as they are
    // turned off and on (Qt would hand the focus on down the window).
    QWidget *focused = focusWidget();
    const bool onPreview = focused == ui->btnPlay || focused == ui->btnPause || focused == ui->btnPlayClip;
    ui->btnPlay->setEnabled(!playing);
    ui->btnPause->setEnabled(playing);
    ui->btnPlayClip->setEnabled(!playing);
    if (onPreview)
        (playing ? ui->btnPause : clipPlaying ? ui->btnPlayClip : ui->btnPlay)->setFocus(Qt::OtherFocusReason);
    if (playing) {
        if (playTimerId == 0)
            playTimerId = startTimer(500);
        return;
    }
    if (playTimerId != 0) {
        killTimer(playTimerId);
        playTimerId = 0;
    }
    if (state == PlayStopped) {
        clipPlaying = false;
        ui->sliderBar->setPos(0);
        ui->labelPlayTime->setText(QStringLiteral("00:00:00 / %1").arg(durationText));
    }
}

void MainDialog::playbackTick()
{
    const double position = ffplay_get_position();
    ui->sliderBar->followPos(position);
    ui->labelPlayTime->setText(QStringLiteral("%1 / %2").arg(hmsText(position), durationText));
    double start = 0, end = 0;
    ui->sliderBar->getClip(start, end);
    // A looping preview starts each round again by itself; a position just
    // past the end is the moment before it does.
    if (clipPlaying && position > end && !(ui->checkLoop->isChecked() && end > start))
        ffplay_stop();
    discAngle += 10.0;
}

void MainDialog::onSliderMoved(double value)
{
    ffplay_seek(value);
    ui->labelPlayTime->setText(QStringLiteral("%1 / %2").arg(hmsText(value), durationText));
}

void MainDialog::onClipChanged(double begin, double end)
{
    showClip(begin, end);
}

void MainDialog::onStartTimeChanged(qint64 time)
{
    if (syncingFromSlider || clampingEditor)
        return;
    // Taken once entered (keyboard tracking is off), then kept at or before
    // the end.
    double start = editorSeconds(time);
    double end = 0, unused = 0;
    ui->sliderBar->getClip(unused, end);
    if (start > end) {
        start = end;
        clampingEditor = true;
        ui->editStartTime->setMsecs(editorTime(start));
        clampingEditor = false;
    }
    ui->sliderBar->setClip(start, -1);
    ui->sliderBar->getClip(start, end);
    ui->labelLengthValue->setText(lengthText(end - start));
}

void MainDialog::onEndTimeChanged(qint64 time)
{
    if (syncingFromSlider || clampingEditor)
        return;
    double start = 0, unused = 0;
    ui->sliderBar->getClip(start, unused);
    double end = editorSeconds(time);
    if (end < start) {
        end = start;
        clampingEditor = true;
        ui->editEndTime->setMsecs(editorTime(end));
        clampingEditor = false;
    }
    ui->sliderBar->setClip(-1, end);
    ui->sliderBar->getClip(start, end);
    ui->labelLengthValue->setText(lengthText(end - start));
}

void MainDialog::onBtnGenerate()
{
    const QString input = ui->editInputFile->text();
    double start = 0, end = 0;
    ui->sliderBar->getClip(start, end);
    if (wholeMs(end - start) < kShortestClipMs) {
        setStatus(QT_TR_NOOP("The clip is too short: move its end further from its start."));
        return;
    }
    if (!confirmSilentRingtone())
        return;
    const QString folder = ui->editOutputFolder->text();
    if (!OutputNames::makeFolder(folder)) {
        setStatus(QT_TR_NOOP("Conversion failed."), QStringLiteral("Could not create the folder '%1' (Permission denied)").arg(folder));
        return;
    }

    ui->progressBar->setValue(0);
    repaint();
    prepareRingtoneJob(converter,
                       {input, start, end, encoderVolume(ui->sliderVolume->getVolume()), ui->spinFadein->value(),
                        ui->spinFadeout->value()},
                       folder);
    ringtoneJob = {input, ui->editOutputName->text(), start, end};
    keepOutcome = false;
    setStatus(RingtoneText::kMaking);
    qCDebug(lcWindow).noquote() << QStringLiteral("ringtone: start=%1 end=%2").arg(start).arg(end);

    // The bar follows the clip being encoded, not the whole file.
    startJob(CAVConverter::JobEncodeRingtone, end - start);
}

void MainDialog::progressTick()
{
    if (jobSeconds > 0) {
        // Clamped before converting: the encoder may report any time at all.
        const double percent = converter.currentTime() / jobSeconds * 100;
        ui->progressBar->setValue(percent > 0 ? int(std::min(percent, 100.0)) : 0);
    }
}

void MainDialog::onAVConverterFinished()
{
    ui->progressBar->setValue(100);
    repaint();
    if (progressTimerId != 0) {
        killTimer(progressTimerId);
        progressTimerId = 0;
    }
    const QString output = converter.outputFile();
    const bool ringtone = converter.jobType() == CAVConverter::JobEncodeRingtone;
    if (ringtone || waveformPending) {
        ui->btnGenerate->setEnabled(true);
        // A file loaded meanwhile keeps its timeline hidden until its own
        // waveform is drawn.
        if (!waveformPending)
            ui->sliderBar->show();
    }
    if (ringtone)
        finishRingtone(output);
    else if (!waveformPending)
        finishWaveform(output);
    else
        QFile::remove(output); // the waveform of a file no longer shown

    if (waveformPending)
        startWaveformJob();
}

void MainDialog::finishWaveform(const QString &wavePath)
{
    // A failed job (a full disk, a file that does not decode, an encoder
    // that did not start) says why, as a failed ringtone does: an empty
    // timeline under "File loaded." would leave the user guessing. Nothing
    // it left behind is read, so its length never reaches the timeline.
    const bool failed = !converter.succeeded();
    if (!failed && !wavePath.isEmpty() && QFile::exists(wavePath)) {
        // Read (600 MB an hour), drawn and removed on the loader's worker;
        // until it is shown the window stays as it is while loading, with
        // Generate off: the WAV's own length may still move the clip.
        waveLoader.load(wavePath, ui->sliderBar->width(), ui->sliderBar->height());
        return;
    }
    ui->btnGenerate->setEnabled(true);
    ui->sliderBar->show();
    if (!keepOutcome) {
        if (failed) {
            QString reason = converter.lastMessage();
            if (reason.isEmpty())
                reason = QStringLiteral("The encoder program could not be run");
            setStatus(QT_TR_NOOP("The waveform could not be made."), reason);
        } else {
            showLoadedStatus();
        }
    }
    keepOutcome = false;
    if (failed && !wavePath.isEmpty())
        QFile::remove(wavePath);
    // Never the previous file's picture under this file's clip.
    ui->sliderBar->setWaveImage(QImage());
    ui->sliderBar->setWaveRenderer({});
    ui->sliderBar->update();
}

void MainDialog::showLoadedStatus()
{
    setStatus(QT_TR_NOOP("File loaded."));
    // A volume set to 0 before the file came is not forgotten.
    updateRingtoneWarnings();
}

void MainDialog::showWaveform(const CWaveformLoader::Result &wave)
{
    if (!keepOutcome)
        showLoadedStatus();
    keepOutcome = false;
    applyDecodedLength(wave.seconds);
    ui->sliderBar->setWaveImage(wave.image);
    // The zoomed timeline draws from the fine peaks and never reads the
    // file again.
    if (const std::shared_ptr<const CWavePeaks> peaks = wave.peaks)
        ui->sliderBar->setWaveRenderer([peaks](double from, double to, int width, int height) {
            return peaks->render(from, to, width, height);
        });
    else
        ui->sliderBar->setWaveRenderer({});
    qCDebug(lcDiagnostics).nospace() << "CreateWaveImage " << wave.elapsedMs << " ms\r\n";
    ui->btnGenerate->setEnabled(true);
    // Last: whoever waits for the timeline to show finds its picture in.
    ui->sliderBar->show();
}

void MainDialog::finishRingtone(const QString &encodedPath)
{
    // The outcome belongs to the job, not to a file loaded while it ran.
    const RingtoneJob job = ringtoneJob;
    keepOutcome = waveformPending;
    // A failed encoder leaves no file: say so, and why, rather than report
    // success.
    if (const QString reason = ringtoneJobFailure(converter); !reason.isEmpty()) {
        QFile::remove(encodedPath);
        setStatus(RingtoneText::kFailed, reason);
        return;
    }
    const QString name = OutputNames::ringtoneName(job.outputName, job.input);
    const QString ringtone = OutputNames::ringtoneFile(encodedPath, name);
    // The clip Generate was pressed with. A clip of a file with a broken,
    // huge length may pass int's range.
    const int ms = int(std::min<qint64>(wholeMs(job.end - job.start), std::numeric_limits<int>::max()));
    // The exports follow the boxes as they are now: a phone that came or
    // went during the job, or a box the user changed, decides.
    const bool toPhone = ui->checkExport->isChecked();
    const bool toITunes = ui->checkExportITunes->isChecked();
    QFile encoded(encodedPath);
    if (!encoded.rename(ringtone)) {
        keepEncodedRingtone(encodedPath, ringtone, encoded.errorString(), name, ms, toPhone);
        return;
    }
    setStatus(RingtoneText::kSucceeded);
    phoneLink->exportRingtone(ringtone, ms, toPhone, toITunes);
    warnAboutLongRingtone();
}

void MainDialog::keepEncodedRingtone(const QString &encodedPath, const QString &ringtone, const QString &error,
                                     const QString &name, int clipMilliseconds, bool toPhone)
{
    // The sound took the whole encoding to make: it stays where the encoder
    // put it, and the user is told where that is.
    const QString kept = QDir::toNativeSeparators(encodedPath);
    // The box holds the why and the where; the encoder's failure hints do
    // not fit a rename.
    setStatus(QT_TR_NOOP("The ringtone could not be named; its sound was kept as an .m4a file."));
    auto *box = new QMessageBox(QMessageBox::Information, QString::fromLatin1(Identity::kProductName),
                                tr("The ringtone could not be saved as \"%1\" (%2).\n\nIts sound was kept in:\n%3")
                                    .arg(CFilePath(ringtone).fileName(), error, kept),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Not modal in a loop of its own: the window finishes the job (and
    // starts a waiting waveform) while the box is up.
    box->open();

    // The user asked for a ringtone on the phone: it goes there under the
    // name it should have had, from a copy of that name, since the phone
    // names a ringtone after its file. iTunes would take an .m4a for a
    // song, so it gets nothing.
    if (!toPhone)
        return;
    QTemporaryDir copyFolder;
    QString sent = encodedPath;
    if (copyFolder.isValid()) {
        const QString copy = OutputNames::ringtoneFile(copyFolder.filePath(QStringLiteral("x.m4a")), name);
        if (QFile::copy(encodedPath, copy))
            sent = copy;
    }
    phoneLink->exportRingtone(sent, clipMilliseconds, true, false);
}

void MainDialog::onBtnBrowseOut()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Select a folder to store output file."), ui->editOutputFolder->text(),
        QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    const QString native = QDir::toNativeSeparators(folder);
    ui->editOutputFolder->setText(native);
    writeSetting(QStringLiteral("OutputFolder"), native);
}

void MainDialog::openFile(const QString &path)
{
    loadInputFile(path);
    // Refused: the name field would otherwise keep the refused file's name.
    if (ui->editInputFile->text().isEmpty())
        ui->editOutputName->clear();
}

void MainDialog::setupLengthWarning()
{
    // After the window's own handlers, which move the clip first.
    connect(ui->sliderBar, &CClipSlider::clipChanged, this, &MainDialog::updateLengthWarning);
    connect(ui->editStartTime, &CTimeEdit::timeChanged, this, &MainDialog::updateLengthWarning);
    connect(ui->editEndTime, &CTimeEdit::timeChanged, this, &MainDialog::updateLengthWarning);
    connect(QxLanguage::instance(), &QxLanguage::languageChanged, this, &MainDialog::updateLengthWarning);
}

void MainDialog::updateLengthWarning()
{
    double start = 0, end = 0;
    ui->sliderBar->getClip(start, end);
    const bool tooLong = ui->sliderBar->isEnabled() && longerThanPhoneLists(end - start);
    // By name: the tooltip, which takes the label's style sheet too, keeps
    // its colours.
    ui->labelLengthValue->setStyleSheet(
        tooLong ? QStringLiteral("#labelLengthValue { color: rgb(255, 176, 32); }") : QString());
    ui->labelLengthValue->setToolTip(tooLong ? tr(longClipTip()) : QString());
    ui->labelLength->setToolTip(ui->labelLengthValue->toolTip());
}

void MainDialog::warnAboutLongRingtone()
{
    // Called once the ringtone is in place and exported. The clip the ringtone was made from, whatever was loaded or moved since.
    const QLatin1String outcome(statusSource);
    if (!longerThanPhoneLists(ringtoneJob.end - ringtoneJob.start))
        return;
    // Sent all the same: the user should know it is on the phone, unlisted.
    if (outcome == QLatin1String("Transfer succeed."))
        setStatus(longRingtoneStatus(true));
    else if (outcome == QLatin1String(RingtoneText::kSucceeded))
        setStatus(longRingtoneStatus(false));
}
