// The windows on a screen scaled to 200 % (this test runs with
// QT_SCALE_FACTOR=2): every skin picture is drawn from its 2x form, pixel for
// pixel, while sizes and outlines stay those of the 1x skin.
#include "aboutdialog.h"
#include "maindialog.h"
#include "managedialog.h"
#include "picture.h"
#include "standins.h"
#include "windowtest.h"

#include <QApplication>
#include <QBitmap>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

QImage sharpPicture(const QString &name)
{
    return QImage(QStringLiteral(":/images/%1@2x.png").arg(name)).convertToFormat(QImage::Format_ARGB32);
}

QImage grabbed(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The share of the opaque pixels of picture's rows [firstRow, lastRow] that
// the shot shows unchanged at origin (all in device pixels). A picture
// stretched from its 1x form matches at well under half of them.
double sameShare(const QImage &shot, QPoint origin, const QImage &picture, int firstRow = 0, int lastRow = -1)
{
    if (lastRow < 0)
        lastRow = picture.height() - 1;
    int opaque = 0;
    int same = 0;
    for (int y = firstRow; y <= lastRow; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) != 255)
                continue;
            ++opaque;
            const QPoint at = origin + QPoint(x, y);
            same += shot.rect().contains(at) && shot.pixel(at) == p;
        }
    }
    return opaque ? double(same) / opaque : 0.0;
}

// Mean difference of the colour channels over the picture's opaque pixels.
double meanDifference(const QImage &shot, const QImage &picture)
{
    double sum = 0;
    int n = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) != 255)
                continue;
            const QRgb s = shot.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(s)) + std::abs(qGreen(p) - qGreen(s)) + std::abs(qBlue(p) - qBlue(s));
            n += 3;
        }
    }
    return n ? sum / n : 255.0;
}

} // namespace

class TestHiDpi final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void mainWindowPictures_data();
    void mainWindowPictures();
    void discIsSharp();
    void levelBarsLightTheirRows();
    void volumeSliderFillsFromItsPicture();
    void outlineIsTheOneOfTheSkin();
    void outlineShowsNoPaleFringe_data();
    void outlineShowsNoPaleFringe();
    void aboutBox();
    void manager();

private:
    std::unique_ptr<MainDialog> makeDialog();
};

void TestHiDpi::initTestCase()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    if (sharpPicture(QStringLiteral("main_bg")).isNull())
        QSKIP("the 2x pictures are not in the resources");
}

void TestHiDpi::init()
{
    store().clear();
    standin::bridge() = {};
    standin::player() = {};
}

std::unique_ptr<MainDialog> TestHiDpi::makeDialog()
{
    auto made = std::make_unique<MainDialog>();
    made->show();
    QCoreApplication::processEvents();
    return made;
}

void TestHiDpi::mainWindowPictures_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QRect>("area"); // in the picture's 1x pixels

    // The background under the title, where no widget lies, and the disc at
    // rest; then pictures the style sheet gives the buttons and editors.
    QTest::newRow("background") << QStringLiteral("main_bg") << QString() << QRect(50, 112, 200, 32);
    QTest::newRow("menu button") << QStringLiteral("menu_button") << QStringLiteral("btnMenu") << QRect();
    QTest::newRow("close button") << QStringLiteral("close_button") << QStringLiteral("btnClose") << QRect();
    QTest::newRow("play, disabled") << QStringLiteral("play_disable") << QStringLiteral("btnPlay") << QRect();
}

void TestHiDpi::mainWindowPictures()
{
    QFETCH(QString, picture);
    QFETCH(QString, widget);
    QFETCH(QRect, area);

    auto dialog = makeDialog();
    QImage sharp = sharpPicture(picture);
    QVERIFY(!sharp.isNull());
    QPoint origin;
    if (!widget.isEmpty())
        origin = child<QWidget>(dialog.get(), qPrintable(widget))->mapTo(dialog.get(), QPoint());
    if (area.isValid()) {
        sharp = sharp.copy(QRect(area.topLeft() * 2, area.size() * 2));
        origin += area.topLeft();
    }
    const QImage shot = grabbed(dialog.get());
    QCOMPARE(shot.size(), dialog->size() * 2);
    const double share = sameShare(shot, origin * 2, sharp);
    QVERIFY2(share > 0.95, qPrintable(QStringLiteral("only %1 of its pixels shown as they are").arg(share)));
}

void TestHiDpi::discIsSharp()
{
    // The disc is drawn a pixel larger than its picture (it turns about a
    // centre a pixel off the picture's), so no pixel survives unchanged: the
    // 2x picture must match closely where the 1x one stretched does not.
    auto dialog = makeDialog();
    const QImage shot = grabbed(dialog.get()).copy(584 * 2, 0, 166 * 2, 166 * 2);
    const QImage sharp = sharpPicture(QStringLiteral("disc")).scaled(shot.size(), Qt::IgnoreAspectRatio,
                                                                     Qt::SmoothTransformation);
    const QImage soft = QImage(QStringLiteral(":/images/disc.png"))
                            .convertToFormat(QImage::Format_ARGB32)
                            .scaled(shot.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double fromSharp = meanDifference(shot, sharp);
    const double fromSoft = meanDifference(shot, soft);
    QVERIFY2(fromSharp < fromSoft / 2,
             qPrintable(QStringLiteral("differs by %1 from the 2x picture, %2 from the 1x one")
                            .arg(fromSharp)
                            .arg(fromSoft)));
}

void TestHiDpi::levelBarsLightTheirRows()
{
    // The lit picture is cut by rows: the cut must count the picture's own
    // (device) rows, or the bar lights the wrong stretch of it.
    auto dialog = makeDialog();
    child<QProgressBar>(dialog.get(), "progressBar")->setValue(24);
    const QImage shot = grabbed(dialog.get());
    const LitRows lit = leftBarLitRows(24);
    const QPoint origin(0, 82 * 2);
    QVERIFY(sameShare(shot, origin, sharpPicture(QStringLiteral("left_back")), 0, lit.first * 2 - 1) > 0.95);
    QVERIFY(sameShare(shot, origin, sharpPicture(QStringLiteral("left_fore")), lit.first * 2, lit.last * 2 + 1)
            > 0.95);
}

void TestHiDpi::volumeSliderFillsFromItsPicture()
{
    auto dialog = makeDialog();
    QWidget *slider = child<QWidget>(dialog.get(), "sliderVolume");
    const QImage shot = grabbed(slider);
    const QImage warm = sharpPicture(QStringLiteral("volume_left"));
    // At 1.0x the thumb stands at the middle: the warm part's left end is
    // filled from the warm picture's own left end.
    const QImage leftEnd = warm.copy(0, 0, 40, warm.height());
    int origin = -1;
    for (int x = 0; x + leftEnd.width() <= shot.width() && origin < 0; ++x)
        for (int y = 0; y + leftEnd.height() <= shot.height() && origin < 0; ++y)
            if (sameShare(shot, QPoint(x, y), leftEnd) > 0.95)
                origin = x;
    QVERIFY2(origin >= 0, "the warm part of the track is not its 2x picture");
}

void TestHiDpi::outlineIsTheOneOfTheSkin()
{
    auto dialog = makeDialog();
    const QImage flat = QImage(QStringLiteral(":/images/main_bg.png"));
    QCOMPARE(dialog->size(), QSize(750, 531));
    if (!dialog->mask().isEmpty()) {
        const QRegion expected(QBitmap::fromImage(
            flat.createMaskFromColor(QColor(Qt::transparent).rgba(), Qt::MaskInColor)));
        QCOMPARE(dialog->mask(), expected);
    }
}

void TestHiDpi::outlineShowsNoPaleFringe_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("manager");
    QTest::newRow("main window") << QStringLiteral("main_bg") << false;
    QTest::newRow("manager") << QStringLiteral("register_bg") << true;
}

void TestHiDpi::outlineShowsNoPaleFringe()
{
    // The outline is cut in the 1x picture's pixels; the 2x picture's edge
    // is finer and leaves some device pixels inside it open. None of them
    // may show the window's plain background colour.
    QFETCH(QString, picture);
    QFETCH(bool, manager);
    auto dialog = makeDialog();
    std::unique_ptr<ManageDialog> box;
    QWidget *window = dialog.get();
    if (manager) {
        box = std::make_unique<ManageDialog>(dialog.get());
        box->show();
        QCoreApplication::processEvents();
        window = box.get();
    }
    if (window->mask().isEmpty())
        QSKIP("this platform cuts no window by a mask");
    const QImage flat = QImage(QStringLiteral(":/images/%1.png").arg(picture)).convertToFormat(QImage::Format_ARGB32);
    const QImage sharp = sharpPicture(picture);
    QCOMPARE(sharp.size(), flat.size() * 2);
    const QImage shot = grabbed(window);
    const QRgb plain = window->palette().color(QPalette::Window).rgb();
    int open = 0;
    int pale = 0;
    for (int y = 0; y < sharp.height(); ++y) {
        for (int x = 0; x < sharp.width(); ++x) {
            if (qAlpha(flat.pixel(x / 2, y / 2)) == 0 || qAlpha(sharp.pixel(x, y)) == 255)
                continue;
            ++open;
            const QRgb shown = shot.pixel(x, y);
            pale += std::abs(qRed(shown) - qRed(plain)) + std::abs(qGreen(shown) - qGreen(plain))
                        + std::abs(qBlue(shown) - qBlue(plain))
                    < 24;
        }
    }
    QVERIFY(open > 0);
    QVERIFY2(pale == 0, qPrintable(QStringLiteral("%1 of %2 pixels pale").arg(pale).arg(open)));
}

void TestHiDpi::aboutBox()
{
    AboutDialog about;
    about.show();
    QCoreApplication::processEvents();
    QCOMPARE(about.size(), QSize(400, 258));
    const QImage title = sharpPicture(QStringLiteral("about_bg")).copy(0, 0, 800, 200);
    QVERIFY(sameShare(grabbed(&about), QPoint(), title) > 0.95);
}

void TestHiDpi::manager()
{
    ManageDialog manager;
    manager.show();
    QCoreApplication::processEvents();
    QCOMPARE(manager.size(), QSize(537, 385));
    // The header, drawn by the style sheet's border-image.
    const QImage header = sharpPicture(QStringLiteral("register_bg")).copy(0, 0, 900, 100);
    QVERIFY(sameShare(grabbed(&manager), QPoint(), header) > 0.9);
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
