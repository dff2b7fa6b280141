#include "disposableregistry.h"
#include "language.h"
#include "maindialog.h"
#include "standins.h"
#include "timeedit.h"
#include "windowtest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTranslator>
#include <QUrl>

#include <memory>

// iTunes exists only on Windows; elsewhere the window only asks for the phone.
#ifdef Q_OS_WIN
#define NO_ITUNES(windows, elsewhere) windows
#else
#define NO_ITUNES(windows, elsewhere) elsewhere
#endif

namespace {

void sendMouse(QWidget *widget, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    const QPointF global = widget->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Which picture a grabbed pixel of a level bar shows: +1 the lit one, -1 the
// dim one, 0 when the two cannot be told apart at that row.
int litState(const QImage &shot, const QImage &fore, const QImage &back, QPoint origin, int row)
{
    for (int x = 0; x < fore.width(); ++x) {
        const QRgb f = fore.pixel(x, row);
        const QRgb b = back.pixel(x, row);
        if (qAlpha(f) != 255 || qAlpha(b) != 255 || f == b)
            continue;
        const QRgb s = shot.pixel(origin.x() + x, origin.y() + row);
        if (s == f)
            return 1;
        if (s == b)
            return -1;
        return 0;
    }
    return 0;
}

} // namespace

// Stands in for the desktop's handler of file: addresses.
class UrlCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

class TestMainDialog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void initialState();
    void firstStartShowsDefaultOutputFolder();
    void menuOrder();
    void languageChangeSetsTitleAndStoresLanguage();
    void iTunesCheck_data();
    void iTunesCheck();
    void deviceEvents_data();
    void deviceEvents();
    void cutStatusIsWholeInTooltip_data();
    void cutStatusIsWholeInTooltip();
    void volumeLabel_data();
    void volumeLabel();
    void levelBars_data();
    void levelBars();
    void dragging();
    void outlineFollowsBackground();
    void storedLanguageTranslatesTheWindow_data();
    void storedLanguageTranslatesTheWindow();
    void choosingEnglishRestoresTheTexts();
    void translationsAreCompiledIn_data();
    void translationsAreCompiledIn();
    void helpOpensTheCompiledHelp();

private:
    std::unique_ptr<MainDialog> makeDialog();

    QTranslator translator;
    std::unique_ptr<MainDialog> dialog;
};

void TestMainDialog::initTestCase()
{
#ifdef Q_OS_WIN
    // The settings are in the registry there.
    QVERIFY2(registryIsDisposable(), "the settings live in the registry: run under Wine");
#else
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
#endif
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
}

void TestMainDialog::init()
{
    store().clear();
    standin::bridge() = {};
    standin::player() = {};
}

void TestMainDialog::cleanup()
{
    dialog.reset();
}

std::unique_ptr<MainDialog> TestMainDialog::makeDialog()
{
    auto made = std::make_unique<MainDialog>();
    made->show();
    QCoreApplication::processEvents();
    return made;
}

void TestMainDialog::initialState()
{
    dialog = makeDialog();
    QWidget *w = dialog.get();

    for (const char *name : {"btnPlay", "btnPause", "btnPlayClip", "btnGenerate"})
        QVERIFY2(!child<QPushButton>(w, name)->isEnabled(), name);
    QVERIFY(!child<QCheckBox>(w, "checkExport")->isEnabled());
    QVERIFY(child<QPushButton>(w, "btnBrowseIn")->isEnabled());
    QVERIFY(!child<QWidget>(w, "sliderBar")->isVisible());
    QVERIFY(!child<QWidget>(w, "sliderBar")->isEnabled());
    QVERIFY(!child<QProgressBar>(w, "progressBar")->isVisible());
    QCOMPARE(child<QLabel>(w, "labelLengthValue")->text(), QStringLiteral("00:00:00.000"));
    QCOMPARE(child<QLabel>(w, "labelPlayTime")->text(), QStringLiteral("00:00:00 / 00:00:00"));
    QCOMPARE(child<QLabel>(w, "labelVolume")->text(), QStringLiteral("Volume: 1.0x"));
    QCOMPARE(child<CTimeEdit>(w, "editStartTime")->maximumMsecs(), 0);
    QCOMPARE(child<CTimeEdit>(w, "editEndTime")->text(), QStringLiteral("0:00:00.000"));

    QCOMPARE(w->size(), QSize(750, 531));
    QCOMPARE(w->minimumSize(), QSize(750, 531));
    QCOMPARE(w->maximumSize(), QSize(750, 531));
#ifdef Q_OS_WIN
    // The mask alone hides the frame there, and the taskbar can still
    // minimise and restore the window.
    QVERIFY(!(w->windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(!w->mask().isEmpty());
    QVERIFY(w->mask() != QRegion(w->rect()));
#else
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
#endif

    QCOMPARE(standin::player().initCalls, 1);
    QCOMPARE(standin::bridge().callbackRegistrations, 1);
    QCOMPARE(theMainDialog, dialog.get());
}

void TestMainDialog::firstStartShowsDefaultOutputFolder()
{
    dialog = makeDialog();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(!documents.isEmpty());
    QCOMPARE(child<QLineEdit>(dialog.get(), "editOutputFolder")->text(),
             QDir::toNativeSeparators(documents + QStringLiteral("/Zentavo Tonquill")));
    QVERIFY(!store().contains(QStringLiteral("Setting/OutputFolder")));

    dialog.reset();
    store().setValue(QStringLiteral("Setting/OutputFolder"), QStringLiteral("/srv/my tones"));
    dialog = makeDialog();
    QCOMPARE(child<QLineEdit>(dialog.get(), "editOutputFolder")->text(), QStringLiteral("/srv/my tones"));
}

void TestMainDialog::menuOrder()
{
    dialog = makeDialog();
    QMenu *menu = child<QPushButton>(dialog.get(), "btnMenu")->menu();
    QVERIFY(menu);
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), 6);
    QCOMPARE(actions.at(0)->text(), QStringLiteral("&Manage..."));
    QVERIFY(actions.at(1)->menu());
    QCOMPARE(actions.at(1)->menu()->title(), QStringLiteral("Language"));
    QCOMPARE(actions.at(1)->menu()->actions().size(), 9);
    QVERIFY(actions.at(2)->isSeparator());
    QCOMPARE(actions.at(3)->text(), QStringLiteral("&Help"));
    QCOMPARE(actions.at(4)->text(), QStringLiteral("&HomePage"));
    QCOMPARE(actions.at(5)->text(), QStringLiteral("&About"));
    QCOMPARE(menu->windowOpacity(), 0.8);
}

void TestMainDialog::languageChangeSetsTitleAndStoresLanguage()
{
    store().setValue(QStringLiteral("Setting/UiLanguage"), QStringLiteral("fr"));
    dialog = makeDialog();
    // Loading the stored language posts a language change, handled once the
    // event loop runs: it stores the language and sets the product title.
    QTRY_COMPARE(dialog->windowTitle(), QStringLiteral("Zentavo Tonquill"));
    QCOMPARE(store().value(QStringLiteral("Setting/UiLanguage")).toString(), QStringLiteral("fr"));
    QVERIFY(!store().contains(QStringLiteral("Setting/OutputFolder")));
}

void TestMainDialog::iTunesCheck_data()
{
    QTest::addColumn<uint>("version");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("exportEnabled");
    QTest::addColumn<bool>("exportChecked");

    QTest::newRow("none") << 0u << NO_ITUNES("You should install iTunes to transfer ringtone to iPhone.",
                                             "Please connect your iPhone to this computer.")
                          << false << false;
    QTest::newRow("too old") << 0x0703FFFFu << "iTunes version too low, at least 7.3 is needed." << false << false;
    QTest::newRow("threshold") << 0x07040000u << "Please connect your iPhone to this computer." << true << true;
    QTest::newRow("newer, above 2^31") << 0x80000000u << "Please connect your iPhone to this computer." << true
                                       << true;
}

void TestMainDialog::iTunesCheck()
{
    QFETCH(uint, version);
    QFETCH(QString, status);
    QFETCH(bool, exportEnabled);
    QFETCH(bool, exportChecked);

    standin::bridge().iTunesVersion = version;
    standin::bridge().iTunesPath = "/opt/itunes/iTunes";
    dialog = makeDialog();
    QCOMPARE(child<QLabel>(dialog.get(), "labelStatus")->text(), status);
    auto *exportITunes = child<QCheckBox>(dialog.get(), "checkExportITunes");
    QCOMPARE(exportITunes->isEnabled(), exportEnabled);
    QCOMPARE(exportITunes->isChecked(), exportChecked);
}

void TestMainDialog::deviceEvents_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("phoneSignals");
    QTest::addColumn<QString>("status");

    const QString waiting = QStringLiteral("Please connect your iPhone to this computer.");
    QTest::newRow("connect") << 0 << "connect" << true << 1 << "Ready.";
    QTest::newRow("other kind") << 1 << "connect" << false << 0 << waiting;
    QTest::newRow("capital letter") << 0 << "Connect" << false << 0 << waiting;
    QTest::newRow("trailing space") << 0 << "connect " << false << 0 << waiting;
    QTest::newRow("disconnect") << 0 << "disconnect" << false << 1 << waiting;
}

void TestMainDialog::deviceEvents()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(bool, connected);
    QFETCH(int, phoneSignals);
    QFETCH(QString, status);

    standin::bridge().iTunesVersion = 0x0A000000;
    dialog = makeDialog();
    QSignalSpy phone(dialog.get(), &MainDialog::phoneChanged);
    standin::sendDeviceEvent(kind, text.toLatin1().constData());
    QCOMPARE(phone.size(), phoneSignals);
    if (phoneSignals)
        QCOMPARE(phone.first().first().toBool(), connected);
    auto *exportPhone = child<QCheckBox>(dialog.get(), "checkExport");
    QCOMPARE(exportPhone->isEnabled(), connected);
    QCOMPARE(exportPhone->isChecked(), connected);
    QCOMPARE(child<QLabel>(dialog.get(), "labelStatus")->text(), status);
}

void TestMainDialog::cutStatusIsWholeInTooltip_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<bool>("tooltip");
    QTest::newRow("fits") << QByteArray("Ready.") << false;
    QTest::newRow("longer than the line")
        << QByteArray("Transfer failed: the iPhone's ringtone list cannot be read; the phone is unchanged. "
                      "Transfer failed: the iPhone's ringtone list cannot be read; the phone is unchanged.")
        << true;
}

void TestMainDialog::cutStatusIsWholeInTooltip()
{
    QFETCH(QByteArray, source);
    QFETCH(bool, tooltip);
    dialog = makeDialog();
    // The window keeps the text it is given for the whole run.
    static QByteArray kept;
    kept = source;
    dialog->setStatus(kept.constData());
    auto *label = child<QLabel>(dialog.get(), "labelStatus");
    QCOMPARE(label->text(), QString::fromLatin1(source));
    QCOMPARE(label->toolTip(), tooltip ? label->text() : QString());
}

void TestMainDialog::volumeLabel_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("factor");

    QTest::newRow("silent") << 0 << "Volume: 0.0x" << 0.0;
    // The preview plays the gain the ringtone gets, in the encoder's 256ths.
    QTest::newRow("57") << 57 << "Volume: 0.5x" << 145 / 256.0;
    // Tenths on both sides of 1x: one form all along.
    QTest::newRow("middle") << 100 << "Volume: 1.0x" << 1.0;
    QTest::newRow("101") << 101 << "Volume: 1.1x" << 266 / 256.0;
    QTest::newRow("125") << 125 << "Volume: 2.0x" << 2.0;
    QTest::newRow("rightmost") << 198 << "Volume: 5.0x" << 1259 / 256.0;
}

void TestMainDialog::volumeLabel()
{
    QFETCH(int, position);
    QFETCH(QString, label);
    QFETCH(double, factor);

    dialog = makeDialog();
    standin::player().volumes.clear();
    QVERIFY(QMetaObject::invokeMethod(dialog.get(), "onVolumeSliderMoved", Q_ARG(int, position)));
    QCOMPARE(child<QLabel>(dialog.get(), "labelVolume")->text(), label);
    QCOMPARE(standin::player().volumes.size(), size_t(1));
    QCOMPARE(standin::player().volumes.back(), factor);
}

void TestMainDialog::levelBars_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("leftLit");
    QTest::addColumn<int>("rightLit");

    QTest::newRow("0") << 0 << 17 << 12;
    QTest::newRow("24 (the form's value)") << 24 << 113 << 80;
    QTest::newRow("100") << 100 << 417 << 299;
    // Integer division truncates toward zero: (287 * -1) / 100 is -2.
    QTest::newRow("-1 (reset)") << -1 << 13 << 10;
}

void TestMainDialog::levelBars()
{
    QFETCH(int, progress);
    QFETCH(int, leftLit);
    QFETCH(int, rightLit);

    QCOMPARE(leftBarLitRows(progress).last - leftBarLitRows(progress).first + 1, leftLit);
    QCOMPARE(rightBarLitRows(progress).last - rightBarLitRows(progress).first + 1, rightLit);

    const QImage leftFore(QStringLiteral(":/images/left_fore.png"));
    const QImage leftBack(QStringLiteral(":/images/left_back.png"));
    const QImage rightFore(QStringLiteral(":/images/right_fore.png"));
    const QImage rightBack(QStringLiteral(":/images/right_back.png"));
    if (leftFore.isNull() || rightFore.isNull() || leftBack.isNull() || rightBack.isNull())
        QSKIP("level bar pictures are not in the resources");

    dialog = makeDialog();
    auto *progressBar = child<QProgressBar>(dialog.get(), "progressBar");
    // A progress bar takes no value below its minimum; reset() is what leaves -1.
    if (progress < 0)
        progressBar->reset();
    else
        progressBar->setValue(progress);
    QCOMPARE(progressBar->value(), progress);
    const QImage shot = dialog->grab().toImage().convertToFormat(QImage::Format_ARGB32);

    struct Bar
    {
        const QImage &fore;
        const QImage &back;
        QPoint origin;
        int lit;
    };
    const Bar bars[] = {{leftFore, leftBack, {0, 82}, leftLit}, {rightFore, rightBack, {644, 208}, rightLit}};
    for (const Bar &bar : bars) {
        const QImage fore = bar.fore.convertToFormat(QImage::Format_ARGB32);
        const QImage back = bar.back.convertToFormat(QImage::Format_ARGB32);
        const int firstLit = fore.height() - bar.lit;
        int checked = 0;
        for (int row = 0; row < fore.height(); ++row) {
            const int state = litState(shot, fore, back, bar.origin, row);
            if (state == 0)
                continue;
            ++checked;
            const int expected = row >= firstLit ? 1 : -1;
            if (state != expected)
                QFAIL(qPrintable(QStringLiteral("bar at x %1: row %2 shows the %3 picture")
                                     .arg(bar.origin.x())
                                     .arg(row)
                                     .arg(state > 0 ? QStringLiteral("lit") : QStringLiteral("dim"))));
        }
        // The pictures must let most rows be told apart, or this test proves nothing.
        QVERIFY2(checked > fore.height() / 2, "lit and dim pictures are too alike");
    }
}

void TestMainDialog::dragging()
{
    dialog = makeDialog();
    dialog->move(100, 100);
    QCoreApplication::processEvents();
    const QPoint start = dialog->pos();
    const QPoint spot(300, 120); // background, no child widget there

    // A right-button press does not start a drag, even if the left button is
    // then held during the move.
    sendMouse(dialog.get(), QEvent::MouseButtonPress, spot, Qt::RightButton, Qt::RightButton);
    sendMouse(dialog.get(), QEvent::MouseMove, spot + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(dialog->pos(), start);
    sendMouse(dialog.get(), QEvent::MouseButtonRelease, spot, Qt::RightButton, Qt::NoButton);

    // A left-button drag moves the window with the pointer.
    sendMouse(dialog.get(), QEvent::MouseButtonPress, spot, Qt::LeftButton, Qt::LeftButton);
    sendMouse(dialog.get(), QEvent::MouseMove, spot + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(dialog->pos(), start + QPoint(30, 20));

    // After the release, moves with the left button held do nothing.
    sendMouse(dialog.get(), QEvent::MouseButtonRelease, spot, Qt::LeftButton, Qt::NoButton);
    const QPoint after = dialog->pos();
    sendMouse(dialog.get(), QEvent::MouseMove, spot + QPoint(5, 5), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(dialog->pos(), after);
}

void TestMainDialog::outlineFollowsBackground()
{
    const QImage background = QImage(QStringLiteral(":/images/main_bg.png")).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!background.isNull());
    dialog = makeDialog();
    const QRegion outline = dialog->mask();
    QVERIFY(!outline.isEmpty());
    int outside = 0;
    for (int y = 0; y < background.height(); y += 7) {
        for (int x = 0; x < background.width(); x += 7) {
            const bool transparent = qAlpha(background.pixel(x, y)) == 0;
            outside += transparent;
            if (outline.contains(QPoint(x, y)) == transparent)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3 the window")
                                     .arg(x).arg(y).arg(transparent ? "inside" : "outside")));
        }
    }
    QVERIFY2(outside > 0, "the background has no transparent surround");
}

void TestMainDialog::storedLanguageTranslatesTheWindow_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("browse");
    QTest::addColumn<QString>("status");

    QTest::newRow("french") << "fr" << QString::fromUtf8("Parcourir...")
                            << QString::fromUtf8(NO_ITUNES("Installez iTunes pour transférer la sonnerie vers l'iPhone.", "Veuillez connecter votre iPhone à cet ordinateur."));
    QTest::newRow("german") << "de" << QString::fromUtf8("Durchsuchen...")
                            << QString::fromUtf8(NO_ITUNES("Installieren Sie iTunes, um Klingeltöne auf das iPhone zu übertragen.", "Bitte schließen Sie Ihr iPhone an diesen Computer an."));
    QTest::newRow("japanese") << "ja" << QString::fromUtf8("参照...")
                              << QString::fromUtf8(NO_ITUNES("着信音を iPhone に転送するには iTunes をインストールしてください。", "iPhone をこのコンピュータに接続してください。"));
    QTest::newRow("traditional chinese") << "zh_TW" << QString::fromUtf8("瀏覽...")
                                         << QString::fromUtf8(NO_ITUNES("請安裝 iTunes 以便將鈴聲傳輸到 iPhone。", "請將 iPhone 連接到這台電腦。"));
    QTest::newRow("arabic") << "ar" << QString::fromUtf8("استعراض...")
                            << QString::fromUtf8(NO_ITUNES("يجب تثبيت iTunes لنقل النغمة إلى iPhone.", "يُرجى توصيل iPhone بهذا الحاسوب."));
}

void TestMainDialog::storedLanguageTranslatesTheWindow()
{
    QFETCH(QString, code);
    QFETCH(QString, browse);
    QFETCH(QString, status);

    store().setValue(QStringLiteral("Setting/UiLanguage"), code);
    dialog = makeDialog();
    // The translation arrives with the language change the load posts.
    QTRY_COMPARE(child<QPushButton>(dialog.get(), "btnBrowseIn")->text(), browse);
    QCOMPARE(child<QLabel>(dialog.get(), "labelStatus")->text(), status);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Zentavo Tonquill"));
    QCOMPARE(child<CTimeEdit>(dialog.get(), "editStartTime")->text(), QStringLiteral("0:00:00.000"));
    // Arabic too keeps the left-to-right layout the skin is drawn for.
    QCOMPARE(QApplication::layoutDirection(), Qt::LeftToRight);
    QCOMPARE(store().value(QStringLiteral("Setting/UiLanguage")).toString(), code);
}

void TestMainDialog::choosingEnglishRestoresTheTexts()
{
    store().setValue(QStringLiteral("Setting/UiLanguage"), QStringLiteral("fr"));
    dialog = makeDialog();
    auto *browse = child<QPushButton>(dialog.get(), "btnBrowseIn");
    QTRY_COMPARE(browse->text(), QString::fromUtf8("Parcourir..."));

    QMenu *languages = child<QPushButton>(dialog.get(), "btnMenu")->menu()->actions().at(1)->menu();
    QAction *english = languages->actions().first();
    QVERIFY(english->isEnabled());
    english->trigger();
    QTRY_COMPARE(browse->text(), QStringLiteral("Browse..."));
    QCOMPARE(child<QLabel>(dialog.get(), "labelStatus")->text(),
             QStringLiteral(NO_ITUNES("You should install iTunes to transfer ringtone to iPhone.",
                                      "Please connect your iPhone to this computer.")));
    QCOMPARE(store().value(QStringLiteral("Setting/UiLanguage")).toString(), QStringLiteral("en"));
    QVERIFY(!english->isEnabled());
}

void TestMainDialog::translationsAreCompiledIn_data()
{
    QTest::addColumn<QString>("code");
    for (const char *code : {"fr", "de", "es", "it", "ja", "zh_CN", "zh_TW", "ar"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestMainDialog::translationsAreCompiledIn()
{
    QFETCH(QString, code);
    const QString name = QStringLiteral(":/translations/ringtone_") + code;
    QVERIFY(QFile::exists(name + QStringLiteral(".qm")));
    QTranslator translation;
    QVERIFY(translation.load(name));
    // Every text of the window is translated, none left to English.
    for (const char *source : {"Ready.", "Browse...", "Invalid input file", "Conversion succeed."})
        QVERIFY2(!translation.translate("MainDialog", source).isEmpty(), source);
    QVERIFY(!translation.translate("AboutDialog", "Version: ").isEmpty());
    QVERIFY(!translation.translate("QxLanguage", "Language").isEmpty());
}

void TestMainDialog::helpOpensTheCompiledHelp()
{
#ifndef Q_OS_WIN
    QSKIP("Windows' compiled help; the HTML page is tst_desktop's");
#else
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    dialog = makeDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->activateWindow();
    QTest::keyClick(dialog.get(), Qt::Key_F1);
    for (QAction *action : dialog->findChildren<QAction *>())
        if (action->text() == QLatin1String("&Help"))
            action->trigger();
    Q_EMIT child<QLabel>(dialog.get(), "labelHelp")->linkActivated(QStringLiteral("#"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    // F1, the menu and the link: help.chm beside the program.
    const QUrl chm = QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/help.chm"));
    QCOMPARE(catcher.opened, QList<QUrl>({chm, chm, chm}));
#endif
}

QTEST_MAIN(TestMainDialog)
#include "tst_maindialog.moc"
