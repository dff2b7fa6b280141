#include "maindialog.h"

#include "aboutdialog.h"
#include "clipslider.h"
#include "devicebridge.h"
#include "ffplay.h"
#include "identity.h"
#include "language.h"
#include "settings.h"
#include "ui_maindialog.h"
#include "volumeslider.h"

#include <QAction>
#include <QBitmap>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
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
    // The ringtone manager comes with the device work.
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

// The bodies below come with loading, preview and generating.
void MainDialog::loadInputFile(const QString &) {}
void MainDialog::onBtnBrowseIn() {}
void MainDialog::onBtnBrowseOut() {}
void MainDialog::onBtnPlay() {}
void MainDialog::onBtnPause() {}
void MainDialog::onBtnPlayClip() {}
void MainDialog::onBtnGenerate() {}
void MainDialog::onSliderMoved(double) {}
void MainDialog::onClipChanged(double, double) {}
void MainDialog::onStartTimeChanged(const QTime &) {}
void MainDialog::onEndTimeChanged(const QTime &) {}
void MainDialog::onPlayStateChanged(int) {}
void MainDialog::onAVConverterFinished() {}
void MainDialog::dragEnterEvent(QDragEnterEvent *) {}
void MainDialog::dropEvent(QDropEvent *) {}
void MainDialog::playbackTick() {}
void MainDialog::progressTick() {}
