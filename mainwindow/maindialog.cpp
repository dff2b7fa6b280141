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
#include <QTime>
#include <QTimeEdit>
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

WindowImages decodeWindowImages(qreal screenRatio)
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
        decoding = startAside(decodeWindowImages, pictureRatio());
    return decoding;
}

} // namespace

void MainDialog::preloadPictures()
{
    if (!pendingDecoding().valid())
        pendingDecoding() = startAside(decodeWindowImages, pictureRatio());
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
    connect(ui->editStartTime, &QTimeEdit::timeChanged, this, &MainDialog::onStartTimeChanged);
    connect(ui->editEndTime, &QTimeEdit::timeChanged, this, &MainDialog::onEndTimeChanged);
    connect(ui->sliderVolume, &CVolumeSlider::sliderMoved, this, &MainDialog::onVolumeSliderMoved);
    connect(this, &MainDialog::onPlayStateChanged2, this, &MainDialog::onPlayStateChanged);
    connect(this, &MainDialog::onIPhoneChanged2, this, &MainDialog::onIPhoneChanged);
    connect(&converter, &CAVConverter::finished, this, &MainDialog::onAVConverterFinished);

    ui->editStartTime->setMaximumTime(QTime(0, 0));
    ui->editEndTime->setMaximumTime(QTime(0, 0));
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
    keepTimesLeftToRight();
    restorePosition();
}

MainDialog::~MainDialog()
{
    // Before the temporary folder goes with its member: the encoder must not
    // be writing into a folder that is being removed.
    converter.stop();
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
    // Whole seconds after midnight; the fraction is dropped.
    return QTime(0, 0).addSecs(qint64(seconds)).toString(QStringLiteral("hh:mm:ss"));
}

// Clip times are whole milliseconds (see the timeline), but 4.2 * 1000 is
// 4199.99...: a plain truncation would lose a millisecond here and there.
qint64 wholeMs(double seconds)
{
    return qint64(std::floor(seconds * 1000.0 + 1e-6));
}

QString lengthText(double seconds)
{
    return QTime(0, 0).addMSecs(wholeMs(seconds)).toString(QStringLiteral("hh:mm:ss.zzz"));
}

QTime editorTime(double seconds)
{
    return QTime(0, 0).addMSecs(wholeMs(seconds));
}

double editorSeconds(const QTime &time)
{
    return time.msecsSinceStartOfDay() * 0.001;
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

QString failureHint(const QString &reason)
{
    struct Hint
    {
        const char *marker;
        const char *text;
    };
    // The encoder ends its lines with the system's or FFmpeg's own error
    // text in parentheses; these are the ones a user can do something about.
    static const Hint hints[] = {
        {"Permission denied", QT_TRANSLATE_NOOP("MainDialog", "The output folder cannot be written to: choose another one.")},
        {"Read-only file system", QT_TRANSLATE_NOOP("MainDialog", "The output folder cannot be written to: choose another one.")},
        {"No space left on device", QT_TRANSLATE_NOOP("MainDialog", "The disk of the output folder is full.")},
        {"File too large", QT_TRANSLATE_NOOP("MainDialog", "The disk of the output folder is full.")},
        {"Disk quota exceeded", QT_TRANSLATE_NOOP("MainDialog", "The disk of the output folder is full.")},
        {"No such file or directory", QT_TRANSLATE_NOOP("MainDialog", "The input file is gone.")},
        {"Could not find an audio stream", QT_TRANSLATE_NOOP("MainDialog", "The input file has no sound.")},
        {"Invalid data found", QT_TRANSLATE_NOOP("MainDialog", "The input file is damaged or not a media file.")},
        {"Could not decode", QT_TRANSLATE_NOOP("MainDialog", "The input file is damaged or not a media file.")},
        {"has no audio", QT_TRANSLATE_NOOP("MainDialog", "The clip holds no sound.")},
    };
    for (const Hint &hint : hints) {
        if (reason.contains(QLatin1String(hint.marker)))
            return MainDialog::tr(hint.text);
    }
    return reason;
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

void MainDialog::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
        event->acceptProposedAction();
}

void MainDialog::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    const QString path = urls.first().toLocalFile();
    if (!path.isEmpty())
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
    const double clip = editorSeconds(editorTime(d < 10 ? d : 10.0));
    ui->sliderBar->setPos(0);
    ui->sliderBar->setClip(0, clip);
    showClip(0, clip);
    ui->editStartTime->setCurrentSection(QDateTimeEdit::SecondSection);
    ui->editEndTime->setCurrentSection(QDateTimeEdit::SecondSection);

    ui->progressBar->setValue(0);
    ui->sliderBar->hide();
    keepOutcome = false;
    setStatus(QT_TR_NOOP("File is loading, please wait..."));
    repaint();

    ffplay_open(utf8Path.constData(), 0, 0);

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
    const QTime longest = editorTime(seconds);
    ui->editStartTime->setMaximumTime(longest);
    ui->editEndTime->setMaximumTime(longest);
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
    ui->editStartTime->setTime(editorTime(begin));
    ui->editEndTime->setTime(editorTime(end));
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
    converter.reset();
    converter.setInputFile(ui->editInputFile->text());
    // Never the shared temporary folder itself: another user could have put
    // a link there under the name we are about to write.
    const QString folder = waveFolder();
    converter.setOutputFile(folder.isEmpty() ? QString()
                                             : OutputNames::waveFile(folder, ui->editInputFile->text()));
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
    ui->btnPlay->setEnabled(!playing);
    ui->btnPause->setEnabled(playing);
    ui->btnPlayClip->setEnabled(!playing);
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
    if (clipPlaying && position > end && !ui->checkLoop->isChecked())
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

void MainDialog::onStartTimeChanged(const QTime &time)
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
        ui->editStartTime->setTime(editorTime(start));
        clampingEditor = false;
    }
    ui->sliderBar->setClip(start, -1);
    ui->sliderBar->getClip(start, end);
    ui->labelLengthValue->setText(lengthText(end - start));
}

void MainDialog::onEndTimeChanged(const QTime &time)
{
    if (syncingFromSlider || clampingEditor)
        return;
    double start = 0, unused = 0;
    ui->sliderBar->getClip(start, unused);
    double end = editorSeconds(time);
    if (end < start) {
        end = start;
        clampingEditor = true;
        ui->editEndTime->setTime(editorTime(end));
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
    const QString folder = ui->editOutputFolder->text();
    if (!OutputNames::makeFolder(folder)) {
        setStatus(QT_TR_NOOP("Conversion failed."), QStringLiteral("Could not create the folder '%1' (Permission denied)").arg(folder));
        return;
    }

    ui->progressBar->setValue(0);
    repaint();
    converter.reset();
    converter.setInputFile(input);
    converter.setStartTime(start);
    converter.setDuration(end - start);
    converter.setVolume(encoderVolume(ui->sliderVolume->getVolume()));
    converter.setFadeIn(ui->spinFadein->value());
    converter.setFadeOut(ui->spinFadeout->value());
    converter.setOutputFile(OutputNames::encodedFile(folder, input));
    ringtoneJob = {input, ui->editOutputName->text(), start, end};
    keepOutcome = false;
    setStatus(QT_TR_NOOP("Making the ringtone, please wait..."));
    qCDebug(lcWindow).noquote() << QStringLiteral("ringtone: start=%1 end=%2").arg(start).arg(end);

    // The bar follows the clip being encoded, not the whole file.
    startJob(CAVConverter::JobEncodeRingtone, end - start);
}

int encoderVolume(int sliderValue)
{
    const int v = sliderValue > 100 ? 4 * sliderValue - 300 : sliderValue;
    return (v * 256) / 100;
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
    ui->btnGenerate->setEnabled(true);
    ui->progressBar->setValue(100);
    repaint();
    // A file loaded meanwhile keeps its timeline hidden until its own
    // waveform is drawn.
    if (!waveformPending)
        ui->sliderBar->show();
    if (progressTimerId != 0) {
        killTimer(progressTimerId);
        progressTimerId = 0;
    }
    const QString output = converter.outputFile();
    if (converter.jobType() == CAVConverter::JobEncodeRingtone)
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
    if (!keepOutcome) {
        if (failed) {
            QString reason = converter.lastMessage();
            if (reason.isEmpty())
                reason = QStringLiteral("The encoder program could not be run");
            setStatus(QT_TR_NOOP("The waveform could not be made."), reason);
        } else {
            setStatus(QT_TR_NOOP("File loaded."));
        }
    }
    keepOutcome = false;
    if (failed && !wavePath.isEmpty())
        QFile::remove(wavePath);
    if (failed || wavePath.isEmpty() || !QFile::exists(wavePath)) {
        // Never the previous file's picture under this file's clip.
        ui->sliderBar->setWaveImage(QImage());
        ui->sliderBar->setWaveRenderer({});
        ui->sliderBar->update();
        return;
    }
    applyDecodedLength(waveLengthSeconds(wavePath));
    QElapsedTimer timer;
    timer.start();
    QFile wave(wavePath);
    // The fine peaks are kept while the file is read once; the zoomed
    // timeline draws from them and never reads it again.
    auto peaks = std::make_shared<CWavePeaks>();
    ui->sliderBar->setWaveImage(CreateWaveImage(&wave, ui->sliderBar->width(), ui->sliderBar->height(), peaks.get()));
    if (peaks->isEmpty())
        ui->sliderBar->setWaveRenderer({});
    else
        ui->sliderBar->setWaveRenderer([peaks](double from, double to, int width, int height) {
            return peaks->render(from, to, width, height);
        });
    qCDebug(lcDiagnostics).nospace() << "CreateWaveImage " << timer.elapsed() << " ms\r\n";
    wave.close();
    QFile::remove(wavePath);
}

void MainDialog::finishRingtone(const QString &encodedPath)
{
    // The outcome belongs to the job, not to a file loaded while it ran.
    const RingtoneJob job = ringtoneJob;
    keepOutcome = waveformPending;
    // A failed encoder leaves no file: say so, and why, rather than report
    // success.
    if (!converter.succeeded() || !QFile::exists(encodedPath)) {
        QFile::remove(encodedPath);
        QString reason = converter.lastMessage();
        if (reason.isEmpty())
            reason = QStringLiteral("The encoder program could not be run");
        setStatus(QT_TR_NOOP("Conversion failed."), reason);
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
    setStatus(QT_TR_NOOP("Conversion succeed."));
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

bool longerThanPhoneLists(double seconds)
{
    return qint64(seconds * 1000) > qint64(kPhoneRingtoneSeconds * 1000);
}

namespace {
const char kLongClipTip[] = QT_TRANSLATE_NOOP(
    "MainDialog", "An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.");
const char kLongRingtoneStatus[] = QT_TRANSLATE_NOOP(
    "MainDialog", "Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.");
const char kLongRingtoneSentStatus[] = QT_TRANSLATE_NOOP(
    "MainDialog", "Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.");
} // namespace

void MainDialog::setupLengthWarning()
{
    // After the window's own handlers, which move the clip first.
    connect(ui->sliderBar, &CClipSlider::clipChanged, this, &MainDialog::updateLengthWarning);
    connect(ui->editStartTime, &QTimeEdit::timeChanged, this, &MainDialog::updateLengthWarning);
    connect(ui->editEndTime, &QTimeEdit::timeChanged, this, &MainDialog::updateLengthWarning);
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
    ui->labelLengthValue->setToolTip(tooLong ? tr(kLongClipTip) : QString());
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
        setStatus(kLongRingtoneSentStatus);
    else if (outcome == QLatin1String("Conversion succeed."))
        setStatus(kLongRingtoneStatus);
}
