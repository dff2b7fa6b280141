#include "maindialog.h"

#include "aboutdialog.h"
#include "clipslider.h"
#include "devicebridge.h"
#include "ffplay.h"
#include "managedialog.h"
#include "filepath.h"
#include "mediaprobe.h"
#include "waveimage.h"
#include "identity.h"
#include "language.h"
#include "settings.h"
#include "ui_maindialog.h"
#include "volumeslider.h"

#include <QAction>
#include <QBitmap>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMimeData>
#include <QProcess>
#include <QSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTime>
#include <QTimeEdit>
#include <QUrl>

#include <algorithm>
#include <array>
#include <future>
#include <limits>

MainDialog *theMainDialog = nullptr;

namespace {

constexpr int kLeftBarRows = 425;
constexpr int kRightBarRows = 299;

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

const char kInitFailedMessage[] = QT_TRANSLATE_NOOP(
    "MainDialog",
    "Could not initialize the connection to your iPhone/iTouch!<br>You may get this error if you try to "
    "connect a device that has never been attached to iTunes on this computer.<br>Please try the "
    "following:<br>  * close this application and detach your device from the computer<br>  * start "
    "iTunes<br>  * connect the device<br>  * after it shows up in iTunes, exit iTunes (no need to sync or "
    "transfer anything<br>)  * restart this application.<br><br>Sorry for this inconvenience, it is "
    "caused by Apple's technical restrictions...");

struct WindowImages
{
    std::array<QImage, 6> pictures;
    // Set where the background is fully transparent: outside the window.
    QImage outside;
};

WindowImages decodeWindowImages()
{
    WindowImages images;
    const char *const names[] = {":/images/main_bg.png", ":/images/left_back.png",
                                 ":/images/left_fore.png", ":/images/right_back.png",
                                 ":/images/right_fore.png", ":/images/disc.png"};
    for (size_t i = 0; i < images.pictures.size(); ++i) {
        QImage &image = images.pictures[i];
        image.load(QString::fromLatin1(names[i]));
        // The raster pixmap format: QPixmap::fromImage then only shares the data.
        if (!image.isNull())
            image.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    const QImage &background = images.pictures[0];
    if (!background.isNull())
        images.outside = background.createMaskFromColor(QColor(Qt::transparent).rgba(), Qt::MaskInColor);
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
        decoding = std::async(std::launch::async, decodeWindowImages);
    return decoding;
}

} // namespace

void MainDialog::preloadPictures()
{
    if (!pendingDecoding().valid())
        pendingDecoding() = std::async(std::launch::async, decodeWindowImages);
}

LitRows leftBarLitRows(int v)
{
    return {std::max(0, (102 - v) * 4), kLeftBarRows - 1};
}

LitRows rightBarLitRows(int v)
{
    const int k = (287 * v) / 100;
    return {std::max(0, 287 - k), kRightBarRows - 1};
}

MainDialog::MainDialog(QWidget *parent)
    // No system frame: the window is the opaque part of its background.
    : QDialog(parent, Qt::WindowMinimizeButtonHint | Qt::FramelessWindowHint)
    , dragOffset(0, 0)
    , ui(new Ui::MainDialog)
{
    std::future<WindowImages> decoded = takePictureDecoding();

    ui->setupUi(this);
    setAcceptDrops(true);

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
        setMask(QBitmap::fromImage(images.outside));

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
    dragOffset = QPoint(-1, -1);

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
    if (deviceBridge && deviceBridge->setEventCallback)
        deviceBridge->setEventCallback(&deviceEventCallback);

    QxLanguage::instance()->setLanguage(readSetting(QStringLiteral("UiLanguage"), QString()));
    ui->editOutputFolder->setText(readSetting(QStringLiteral("OutputFolder"), defaultOutputFolder()));

    checkITunes();
}

MainDialog::~MainDialog()
{
    // The player lives on; it must not report to a window that is gone.
    ffplay_set_callback(nullptr, nullptr);
    if (theMainDialog == this)
        theMainDialog = nullptr;
    delete ui;
}

void MainDialog::setStatus(const char *source)
{
    statusSource = source ? source : "";
    ui->labelStatus->setText(tr(statusSource));
}

void MainDialog::checkITunes()
{
    char buffer[260] = {};
    const quint32 version = (deviceBridge && deviceBridge->queryITunes)
                                ? deviceBridge->queryITunes(buffer, int(sizeof buffer))
                                : 0;
    buffer[sizeof buffer - 1] = '\0';
    if (version == 0) {
        setStatus(QT_TR_NOOP("You should install iTunes to transfer ringtone to iPhone."));
        ui->checkExportITunes->setEnabled(false);
#ifdef Q_OS_WIN
        const QString defaultITunes = QStringLiteral("C:\\Program Files\\iTunes\\iTunes.exe");
        if (QFile::exists(defaultITunes)) {
            iTunesPath = defaultITunes;
            setStatus(QT_TR_NOOP("Please connect your iPhone to this computer."));
            ui->checkExportITunes->setChecked(true);
        }
#endif
    } else if (version < 0x07040000u) {
        setStatus(QT_TR_NOOP("iTunes version too low, at least 7.3 is needed."));
        ui->checkExportITunes->setEnabled(false);
    } else {
        setStatus(QT_TR_NOOP("Please connect your iPhone to this computer."));
        ui->checkExportITunes->setChecked(true);
        iTunesPath = QString::fromUtf8(buffer);
    }
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
    ui->labelStatus->setText(tr(statusSource));
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
    if (event->button() == Qt::LeftButton) {
        dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
    }
}

void MainDialog::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && dragOffset != QPoint(-1, -1)) {
        move(event->globalPosition().toPoint() - dragOffset);
        event->accept();
    }
}

void MainDialog::mouseReleaseEvent(QMouseEvent *)
{
    dragOffset = QPoint(-1, -1);
}

void MainDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int v = ui->progressBar->value();

    painter.drawPixmap(0, 0, pictures.background);

    painter.drawPixmap(0, 82, pictures.leftBack);
    const LitRows left = leftBarLitRows(v);
    if (left.first <= left.last)
        painter.drawPixmap(QPoint(0, 82 + left.first), pictures.leftFore,
                           QRect(0, left.first, pictures.leftFore.width(), left.last - left.first + 1));

    painter.drawPixmap(644, 208, pictures.rightBack);
    const LitRows right = rightBarLitRows(v);
    if (right.first <= right.last)
        painter.drawPixmap(QPoint(644, 208 + right.first), pictures.rightFore,
                           QRect(0, right.first, pictures.rightFore.width(), right.last - right.first + 1));

    painter.save();
    // Smooth sampling keeps the turning disc from shimmering at its edge.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(666, 82);
    painter.rotate(discAngle);
    painter.translate(-666, -82);
    painter.drawPixmap(QRect(584, 0, 166, 166), pictures.disc);
    painter.restore();
}

void MainDialog::onBtnHelp()
{
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/help.chm")));
}

void MainDialog::onBtnHome()
{
    QDesktopServices::openUrl(QUrl(productPageUrl()));
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
    if (connect == QLatin1String(DEVICE_EVENT_CONNECT) || connect == QLatin1String(DEVICE_EVENT_DISCONNECT)) {
        const bool connected = connect == QLatin1String(DEVICE_EVENT_CONNECT);
        ui->checkExport->setEnabled(connected);
        ui->checkExport->setChecked(connected);
        Q_EMIT phoneChanged(connected);
        if (connected)
            setStatus(QT_TR_NOOP("Ready."));
        else
            setStatus(QT_TR_NOOP("Please connect your iPhone to this computer."));
    } else if (connect == QLatin1String(DEVICE_EVENT_INIT_FAILED)) {
        QMessageBox box(QMessageBox::Information, QString::fromLatin1(Identity::kProductName),
                        tr(kInitFailedMessage), QMessageBox::Ok, this);
        box.setDefaultButton(static_cast<QPushButton *>(nullptr));
        box.exec();
    }
}

void MainDialog::onVolumeSliderMoved(int value)
{
    // Above the middle the slider boosts four times faster, up to 5.00x at 198.
    int v = value;
    if (v > 100)
        v = 4 * v - 292;
    ffplay_set_volume(v * 0.01);
    const QString number = v >= 100 ? QString::number(v / 100)
                                    : QString::asprintf("%.1f", (v / 10) * 0.1);
    ui->labelVolume->setText(tr("Volume: %1x").arg(number));
}

namespace {

QString hmsText(double seconds)
{
    // Whole seconds after midnight; the fraction is dropped.
    return QTime(0, 0).addSecs(qint64(seconds)).toString(QStringLiteral("hh:mm:ss"));
}

QString lengthText(double seconds)
{
    return QTime(0, 0).addMSecs(qint64(seconds * 1000)).toString(QStringLiteral("hh:mm:ss.zzz"));
}

QTime editorTime(double seconds)
{
    return QTime(0, 0).addMSecs(qint64(seconds * 1000));
}

double editorSeconds(const QTime &time)
{
    return time.msecsSinceStartOfDay() * 0.001;
}

const char kInputFilter[] =
    "%2(*.avi;*.asf;*.wmv;*.mp4;*.m4v;*.mov;*.mpg;*.mts;*.m2ts;*.dat;*.3gp;*.3g2;*.mkv;*.rm;*.rmvb;*.flv;"
    "*.vob;*.mod;*.tod;*.ogm;*.webm;*.mp3;*.wav;*.wma *.m4a;*.ra;*.ape;*.aud;*.aiff);;%3(*.avi;*.asf;*.wmv;"
    "*.mp4;*.m4v;*.mov;*.mpg;*.mts;*.m2ts;*.dat;*.3gp;*.3g2;*.mkv;*.rm;*.rmvb;*.flv;*.vob;*.mod;*.tod;*.ogm;"
    "*.webm);;%4(*.mp3;*.wav;*.wma *.m4a;*.ra;*.ape;*.aud;*.aiff);;%1(*.*)";

} // namespace

void MainDialog::onBtnBrowseIn()
{
    QString startFolder = ui->editInputFile->text();
    if (startFolder.isEmpty())
        startFolder = readSetting(QStringLiteral("InputDir"), documentsFolder());
    const QString filter = QString::fromLatin1(kInputFilter)
                               .arg(tr("All files"), tr("All Supported Formats"), tr("Supported Video"),
                                    tr("Supported Audio"));
    const QString file = QFileDialog::getOpenFileName(this, tr("Open"), startFolder, filter);
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
    ui->editOutputName->setText(CFilePath(path).baseName());

    const QByteArray utf8Path = QDir::toNativeSeparators(path).toUtf8();
    double d = 0.0;
    tonquill_probe(utf8Path.constData(), &d);
    // NaN and the unknown-length marker fail this test too.
    if (!(d > 0.5)) {
        QMessageBox::information(this, QString::fromLatin1(Identity::kProductName), tr("Invalid input file"),
                                 QMessageBox::Ok);
        return;
    }

    ffplay_stop();
    mediaDuration = d;
    durationText = hmsText(d);
    ui->labelPlayTime->setText(QStringLiteral("00:00:00 / %1").arg(durationText));
    ui->editInputFile->setText(QDir::toNativeSeparators(path));
    const QTime longest = editorTime(d);
    ui->editStartTime->setMaximumTime(longest);
    ui->editEndTime->setMaximumTime(longest);
    ui->sliderBar->setEnabled(true);
    ui->btnPlay->setEnabled(true);
    ui->btnPlayClip->setEnabled(true);

    const double clip = d < 10 ? d : 10.0;
    ui->sliderBar->setRange(0, d);
    ui->sliderBar->setPos(0);
    ui->sliderBar->setClip(0, clip);
    ui->editStartTime->setTime(QTime(0, 0));
    ui->editEndTime->setTime(QTime(0, 0).addSecs(qint64(clip)));
    ui->editStartTime->setCurrentSection(QDateTimeEdit::SecondSection);
    ui->editEndTime->setCurrentSection(QDateTimeEdit::SecondSection);

    ui->progressBar->setValue(0);
    ui->sliderBar->hide();
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

void MainDialog::startWaveformJob()
{
    waveformPending = false;
    converter.reset();
    converter.setInputFile(ui->editInputFile->text());
    CFilePath wave;
    wave.setDir(QDir::tempPath());
    wave.setBaseName(CFilePath(ui->editInputFile->text()).baseName());
    wave.setSuffix(QStringLiteral("wav"));
    wave.makeUnique();
    converter.setOutputFile(wave.fullPath());
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
        ffplay_play();
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
        ffplay_seek(start);
        ffplay_toggle_pause();
    } else if (playState == PlayStopped) {
        ui->btnPlayClip->setEnabled(false);
        ui->sliderBar->getClip(start, end);
        ffplay_fadein(ui->spinFadein->value());
        ffplay_seek(start);
        ffplay_play();
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
    ui->sliderBar->setPos(position);
    ui->labelPlayTime->setText(QStringLiteral("%1 / %2").arg(hmsText(position), durationText));
    double start = 0, end = 0;
    ui->sliderBar->getClip(start, end);
    if (clipPlaying && position > end)
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
    syncingFromSlider = true;
    ui->editStartTime->setTime(editorTime(begin));
    ui->editEndTime->setTime(editorTime(end));
    ui->labelLengthValue->setText(lengthText(end - begin));
    syncingFromSlider = false;
}

void MainDialog::onStartTimeChanged(const QTime &time)
{
    ui->editEndTime->setMinimumTime(time);
    if (syncingFromSlider)
        return;
    ui->sliderBar->setClip(editorSeconds(time), -1);
    double start = 0, end = 0;
    ui->sliderBar->getClip(start, end);
    ui->labelLengthValue->setText(lengthText(end - start));
}

void MainDialog::onEndTimeChanged(const QTime &time)
{
    ui->editStartTime->setMaximumTime(time);
    if (syncingFromSlider)
        return;
    ui->sliderBar->setClip(-1, editorSeconds(time));
    double start = 0, end = 0;
    ui->sliderBar->getClip(start, end);
    ui->labelLengthValue->setText(lengthText(end - start));
}

void MainDialog::onBtnGenerate()
{
    ui->progressBar->setValue(0);
    repaint();
    converter.reset();
    const QString input = ui->editInputFile->text();
    converter.setInputFile(input);
    double start = 0, end = 0;
    ui->sliderBar->getClip(start, end);
    converter.setStartTime(start);
    converter.setDuration(end - start);
    converter.setVolume(encoderVolume(ui->sliderVolume->getVolume()));
    converter.setFadeIn(ui->spinFadein->value());

    const QString folder = ui->editOutputFolder->text();
    if (!QDir(folder).exists())
        QDir().mkdir(folder);
    CFilePath output;
    output.setDir(folder);
    output.setBaseName(CFilePath(input).baseName());
    output.setSuffix(QStringLiteral("m4a"));
    output.makeUnique();
    converter.setOutputFile(output.fullPath());

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
    setStatus(QT_TR_NOOP("File loaded."));
    if (!QFile::exists(wavePath))
        return;
    QElapsedTimer timer;
    timer.start();
    QFile wave(wavePath);
    ui->sliderBar->setWaveImage(CreateWaveImage(&wave, ui->sliderBar->width(), ui->sliderBar->height()));
    qDebug().nospace() << "CreateWaveImage " << timer.elapsed() << " ms\r\n";
    wave.close();
    QFile::remove(wavePath);
}

void MainDialog::finishRingtone(const QString &encodedPath)
{
    // A failed encoder leaves no file: say so rather than report success.
    if (!converter.succeeded() || !QFile::exists(encodedPath)) {
        QFile::remove(encodedPath);
        setStatus(QT_TR_NOOP("Conversion failed."));
        return;
    }
    QString name = sanitizeFileName(ui->editOutputName->text());
    if (name.isEmpty())
        name = CFilePath(ui->editInputFile->text()).baseName();
    CFilePath target(encodedPath);
    target.setBaseName(name);
    target.setSuffix(QStringLiteral("m4r"));
    target.makeUnique();
    const QString ringtone = target.fullPath();
    QFile::rename(encodedPath, ringtone);
    setStatus(QT_TR_NOOP("Conversion succeed."));

    if (ui->checkExport->isChecked() && deviceBridge && deviceBridge->addRingtone) {
        double start = 0, end = 0;
        ui->sliderBar->getClip(start, end);
        const QByteArray path = QDir::toNativeSeparators(ringtone).toUtf8();
        // A clip of a file with a broken, huge length may pass int's range.
        const double ms = std::min((end - start) * 1000, double(std::numeric_limits<int>::max()));
        const int added = deviceBridge->addRingtone(0, path.constData(), int(ms));
        if (deviceBridge->commitChanges)
            deviceBridge->commitChanges(0);
        setStatus(added < 0 ? QT_TR_NOOP("Transfer failed.") : QT_TR_NOOP("Transfer succeed."));
    }
    if (ui->checkExportITunes->isChecked() && !iTunesPath.isEmpty())
        QProcess::startDetached(iTunesPath, {QStringLiteral("/open"), QDir::toNativeSeparators(ringtone)});
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
