// The skin pictures as the program finds them in its compiled resources: every
// name the style sheet and the windows ask for, at the size their layout
// assumes, and the properties the windows rely on (outline, contrast, states).
#include "picture.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QRect>
#include <QResource>
#include <QTest>
#include <QtEndian>

#include <cmath>

namespace {

QImage picture(const QString &name)
{
    return QImage(QStringLiteral(":/images/%1.png").arg(name)).convertToFormat(QImage::Format_ARGB32);
}

double luminance(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// Mean luminance of the opaque pixels of a rectangle.
double meanLuminance(const QImage &img, const QRect &r)
{
    double sum = 0;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qAlpha(img.pixel(x, y)) == 255) {
                sum += luminance(img.pixel(x, y));
                ++n;
            }
    return n ? sum / n : -1;
}

double meanSaturation(const QImage &img, const QRect &r)
{
    double sum = 0;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = QColor::fromRgba(img.pixel(x, y));
            if (c.alpha() == 255) {
                sum += c.hsvSaturation();
                ++n;
            }
        }
    return n ? sum / n : -1;
}

// Widgets and painted parts of the main window that must lie inside its
// outline (dialog coordinates; the outline is cut from main_bg.png).
const QRect kMainParts[] = {
    {0, 82, 26, 425},    // left level bar
    {644, 208, 27, 299}, // right level bar
    {60, 205, 530, 50},  // timeline
    {572, 137, 28, 28},  {598, 160, 31, 31}, {634, 169, 29, 29}, // menu, minimise, close
    {543, 450, 60, 60},  // generate
    {294, 343, 92, 38},  {383, 319, 92, 38}, {474, 343, 92, 38}, // play, pause, clip
    {60, 160, 508, 29},  // input row
    {60, 286, 174, 80},  // time editors
    {270, 300, 111, 34}, // fade in
    {290, 290, 121, 16}, // play time
    {450, 290, 160, 16}, {485, 306, 101, 20}, // volume
    {60, 380, 341, 30},  {60, 410, 511, 30}, {60, 440, 451, 22}, // output rows, check boxes
    {40, 470, 391, 22},  // links
    {50, 510, 471, 20},  // status line (its last row is outside the picture)
};

} // namespace

class tst_Pictures final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizeAndPresence_data();
    void sizeAndPresence();
    void mainOutlineCoversEveryPart();
    void mainOutlineIsShapedAndHard();
    void discTurnsVisibly();
    void levelBarsShareTheirCasing();
    void textStaysReadable_data();
    void textStaysReadable();
    void buttonStatesDiffer_data();
    void buttonStatesDiffer();
    void aboutTextAreaIsCalm();
    void managerBackground();
    void storedPixelsMatchThePictures_data();
    void storedPixelsMatchThePictures();
    void sharpFormOfEveryPicture_data();
    void sharpFormOfEveryPicture();
    void pictureForTheScreen_data();
    void pictureForTheScreen();
    void damagedStoredPixelsAreRefused_data();
    void damagedStoredPixelsAreRefused();
    void sharpEdgeCoveredByTheFlatPicture_data();
    void sharpEdgeCoveredByTheFlatPicture();
};

void tst_Pictures::sizeAndPresence_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const auto row = [](const QString &name, QSize size) { QTest::newRow(qPrintable(name)) << name << size; };

    row(QStringLiteral("main_bg"), {749, 530});
    row(QStringLiteral("left_back"), {26, 425});
    row(QStringLiteral("left_fore"), {26, 425});
    row(QStringLiteral("right_back"), {27, 299});
    row(QStringLiteral("right_fore"), {27, 299});
    row(QStringLiteral("disc"), {165, 165});
    row(QStringLiteral("about_bg"), {400, 258});
    row(QStringLiteral("register_bg"), {537, 385});
    row(QStringLiteral("tonquill"), {256, 256});
    row(QStringLiteral("tonquill-48"), {48, 48});

    struct Skin
    {
        const char *name;
        QSize size;
        bool disabled;
    };
    const Skin skins[] = {{"menu", {28, 28}, false},     {"minimize", {31, 31}, false},
                          {"close", {29, 29}, false},    {"generate", {60, 60}, true},
                          {"play", {92, 38}, true},      {"pause", {92, 38}, true},
                          {"clip", {92, 38}, true},      {"browse", {89, 29}, false}};
    for (const Skin &s : skins) {
        for (const char *state : {"_button", "_hover", "_down"})
            row(QLatin1String(s.name) + QLatin1String(state), s.size);
        if (s.disabled)
            row(QLatin1String(s.name) + QStringLiteral("_disable"), s.size);
    }
    for (const char *name : {"check_button", "check_hover", "check_down", "check_disable"})
        row(QLatin1String(name), {22, 24});
    for (const char *dir : {"up", "down"})
        for (const char *state : {"", "hover", "pressed", "disabled"})
            row(QStringLiteral("spinbox") + QLatin1String(dir) + QLatin1String(state), {18, 8});
    row(QStringLiteral("menu"), {58, 58});
    row(QStringLiteral("menu_separator"), {106, 2});
    row(QStringLiteral("edit_border"), {89, 28});
    row(QStringLiteral("volume_left"), {129, 13});
    row(QStringLiteral("volume_right"), {129, 13});
    row(QStringLiteral("volume_thumb"), {5, 17});
    for (const char *name : {"volume_add", "volume_add2", "volume_sub"})
        row(QLatin1String(name), {7, 7});
    for (const char *name : {"tool", "help", "home", "about"})
        row(QLatin1String(name), {16, 16});
    for (const char *name : {"dlg_close_button", "dlg_close_hover", "dlg_close_down"})
        row(QLatin1String(name), {24, 24});
    for (const char *name : {"button", "button_hover", "button_down"})
        row(QLatin1String(name), {88, 29});
}

void tst_Pictures::sizeAndPresence()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage img = picture(name);
    QVERIFY2(!img.isNull(), qPrintable(name + QStringLiteral(" is missing from the resources")));
    QCOMPARE(img.size(), size);
}

void tst_Pictures::mainOutlineCoversEveryPart()
{
    // The window mask drops exactly the pixels equal to transparent black.
    const QImage bg = picture(QStringLiteral("main_bg"));
    for (const QRect &part : kMainParts) {
        const QRect r = part.intersected(bg.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (bg.pixel(x, y) == 0u)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) of the part at (%3, %4) lies outside the outline")
                                         .arg(x).arg(y).arg(part.x()).arg(part.y())));
    }
    // The disc turns around (666, 82) and reaches 80 pixels from it.
    for (int y = 2; y <= 162; ++y)
        for (int x = 586; x < bg.width(); ++x)
            if (std::hypot(x + 0.5 - 666, y + 0.5 - 82) <= 80)
                QVERIFY2(bg.pixel(x, y) != 0u, qPrintable(QStringLiteral("disc pixel (%1, %2)").arg(x).arg(y)));
}

void tst_Pictures::mainOutlineIsShapedAndHard()
{
    const QImage bg = picture(QStringLiteral("main_bg"));
    // Not a rectangle: the corners and the strip above the controls are open.
    for (const QPoint pt : {QPoint(0, 0), QPoint(748, 529), QPoint(748, 200), QPoint(300, 40), QPoint(0, 529)})
        QCOMPARE(bg.pixel(pt), 0u);
    // A window mask is binary; half-transparent edge pixels would show the
    // dialog's plain palette colour through them.
    for (int y = 0; y < bg.height(); ++y)
        for (int x = 0; x < bg.width(); ++x) {
            const int a = qAlpha(bg.pixel(x, y));
            if (a != 0 && a != 255)
                QFAIL(qPrintable(QStringLiteral("alpha %1 at (%2, %3)").arg(a).arg(x).arg(y)));
        }
}

void tst_Pictures::discTurnsVisibly()
{
    const QImage disc = picture(QStringLiteral("disc"));
    QCOMPARE(qAlpha(disc.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(disc.pixel(164, 164)), 0);
    QCOMPARE(qAlpha(disc.pixel(82, 40)), 255);
    // A disc that looks the same after a quarter turn would not seem to move.
    const QImage turned = disc.transformed(QTransform().rotate(90));
    QCOMPARE(turned.size(), disc.size());
    double diff = 0;
    for (int y = 0; y < disc.height(); ++y)
        for (int x = 0; x < disc.width(); ++x)
            diff += std::abs(luminance(disc.pixel(x, y)) - luminance(turned.pixel(x, y)));
    QVERIFY2(diff / (165.0 * 165.0) > 2.0, qPrintable(QString::number(diff / (165.0 * 165.0))));
}

void tst_Pictures::levelBarsShareTheirCasing()
{
    // The lit picture is drawn over the dim one from the bottom up: any
    // difference in shape would show as a step at the progress level.
    for (const char *side : {"left", "right"}) {
        const QImage back = picture(QLatin1String(side) + QStringLiteral("_back"));
        const QImage fore = picture(QLatin1String(side) + QStringLiteral("_fore"));
        QCOMPARE(back.size(), fore.size());
        double lit = 0, dim = 0;
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x) {
                QCOMPARE(qAlpha(fore.pixel(x, y)), qAlpha(back.pixel(x, y)));
                lit += luminance(fore.pixel(x, y));
                dim += luminance(back.pixel(x, y));
            }
        QVERIFY2(lit > 2 * dim, side);
    }
}

void tst_Pictures::textStaysReadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("whiteText");
    // Browse shows white text normally and black text while hovered or pressed.
    QTest::newRow("browse_button") << QStringLiteral("browse_button") << true;
    QTest::newRow("browse_hover") << QStringLiteral("browse_hover") << false;
    QTest::newRow("browse_down") << QStringLiteral("browse_down") << false;
    // The manager's buttons keep Qt's black text in every state.
    QTest::newRow("button") << QStringLiteral("button") << false;
    QTest::newRow("button_hover") << QStringLiteral("button_hover") << false;
    QTest::newRow("button_down") << QStringLiteral("button_down") << false;
    // Line edits, time and spin editors write white text into this field.
    QTest::newRow("edit_border") << QStringLiteral("edit_border") << true;
}

void tst_Pictures::textStaysReadable()
{
    QFETCH(QString, name);
    QFETCH(bool, whiteText);
    const QImage img = picture(name);
    const QRect face = img.rect().adjusted(8, 6, -8, -6);
    const double l = meanLuminance(img, face);
    if (whiteText)
        QVERIFY2(l < 90, qPrintable(QString::number(l)));
    else
        QVERIFY2(l > 150, qPrintable(QString::number(l)));
}

void tst_Pictures::buttonStatesDiffer_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<bool>("hasDisabled");
    for (const char *s : {"menu", "minimize", "close", "browse"})
        QTest::newRow(s) << QString::fromLatin1(s) << false;
    for (const char *s : {"generate", "play", "pause", "clip"})
        QTest::newRow(s) << QString::fromLatin1(s) << true;
}

void tst_Pictures::buttonStatesDiffer()
{
    QFETCH(QString, skin);
    QFETCH(bool, hasDisabled);
    QStringList states{QStringLiteral("_button"), QStringLiteral("_hover"), QStringLiteral("_down")};
    if (hasDisabled)
        states << QStringLiteral("_disable");
    for (int i = 0; i < states.size(); ++i)
        for (int j = i + 1; j < states.size(); ++j)
            QVERIFY2(picture(skin + states[i]) != picture(skin + states[j]),
                     qPrintable(skin + states[i] + QStringLiteral(" equals ") + skin + states[j]));
    const QImage normal = picture(skin + QStringLiteral("_button"));
    const QRect face = normal.rect().adjusted(normal.width() / 4, normal.height() / 4, -normal.width() / 4,
                                              -normal.height() / 4);
    // Hover lights the button up.
    QVERIFY(meanLuminance(picture(skin + QStringLiteral("_hover")), face) > meanLuminance(normal, face));
    if (hasDisabled)
        QVERIFY(meanSaturation(picture(skin + QStringLiteral("_disable")), face) < meanSaturation(normal, face) / 2);
}

void tst_Pictures::aboutTextAreaIsCalm()
{
    const QImage about = picture(QStringLiteral("about_bg"));
    // White label text goes at (150, 145) and in three lines from (20, 195).
    for (const QRect r : {QRect(150, 145, 240, 22), QRect(20, 195, 370, 62)}) {
        QVERIFY(meanLuminance(about, r) < 50);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                QVERIFY(luminance(about.pixel(x, y)) < 110);
    }
    // The box is rectangular: its mask covers everything.
    QCOMPARE(qAlpha(about.pixel(0, 0)), 255);
    QCOMPARE(qAlpha(about.pixel(399, 257)), 255);
}

void tst_Pictures::managerBackground()
{
    const QImage bg = picture(QStringLiteral("register_bg"));
    QCOMPARE(bg.pixel(0, 0), 0u); // rounded corners are cut by the mask
    QCOMPARE(bg.pixel(536, 384), 0u);
    QCOMPARE(qAlpha(bg.pixel(268, 192)), 255);
    // The title and the "Name :" label keep Qt's black text.
    QVERIFY(meanLuminance(bg, QRect(70, 70, 411, 16)) > 170);
    QVERIFY(meanLuminance(bg, QRect(260, 120, 61, 20)) > 170);
    // The close button sits on the dark header, inside the outline.
    QVERIFY(bg.pixel(500, 26) != 0u);
}

void tst_Pictures::storedPixelsMatchThePictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("ratio");
    for (const char *name : {"main_bg", "left_back", "left_fore", "right_back", "right_fore", "disc"}) {
        QTest::newRow(name) << QString::fromLatin1(name) << 1.0;
        QTest::newRow(qPrintable(QLatin1String(name) + QLatin1String("@2x"))) << QString::fromLatin1(name) << 2.0;
    }
    for (const char *name : {"tonquill", "tonquill-48"})
        QTest::newRow(name) << QString::fromLatin1(name) << 1.0;
}

// The window copies these instead of decoding the PNGs: the build must have
// stored them, and they must be the PNGs' pixels, in the format the window
// paints from.
void tst_Pictures::storedPixelsMatchThePictures()
{
    QFETCH(QString, name);
    QFETCH(double, ratio);
    const QString file = ratio > 1 ? name + QStringLiteral("@2x") : name;
    QVERIFY(QResource(QStringLiteral(":/images/%1.rgba").arg(file)).isValid());
    const QImage stored = readPicture(name, ratio);
    QCOMPARE(stored.format(), QImage::Format_ARGB32_Premultiplied);
    const QImage decoded = QImage(QStringLiteral(":/images/%1.png").arg(file))
                               .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(stored, decoded);
}

void tst_Pictures::sharpFormOfEveryPicture_data()
{
    QTest::addColumn<QString>("name");
    const QStringList files = QDir(QStringLiteral(":/images")).entryList({QStringLiteral("*.png")});
    QVERIFY(files.size() > 60);
    for (const QString &file : files) {
        const QString name = file.chopped(4);
        // The program icons come at 48 and 256 pixels instead; the empty
        // picture has nothing to sharpen.
        if (name.endsWith(QLatin1String("@2x")) || name.startsWith(QLatin1String("tonquill"))
            || name == QLatin1String("transparent"))
            continue;
        QTest::newRow(qPrintable(name)) << name;
    }
}

// Each picture has a 2x form of exactly twice its size, showing the same
// thing: shrunk back to 1x it must come close to the 1x picture, outline
// included (a shifted or rescaled drawing does not).
void tst_Pictures::sharpFormOfEveryPicture()
{
    QFETCH(QString, name);
    const QImage flat = picture(name).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage sharp = picture(name + QStringLiteral("@2x")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY2(!sharp.isNull(), qPrintable(name + QStringLiteral("@2x is missing from the resources")));
    QCOMPARE(sharp.size(), flat.size() * 2);
    double sum = 0;
    for (int y = 0; y < flat.height(); ++y) {
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb block[] = {sharp.pixel(2 * x, 2 * y), sharp.pixel(2 * x + 1, 2 * y),
                                  sharp.pixel(2 * x, 2 * y + 1), sharp.pixel(2 * x + 1, 2 * y + 1)};
            const QRgb f = flat.pixel(x, y);
            for (int shift : {0, 8, 16, 24}) {
                int shrunk = 0;
                for (QRgb b : block)
                    shrunk += int((b >> shift) & 0xff);
                sum += std::abs(shrunk / 4.0 - double((f >> shift) & 0xff));
            }
        }
    }
    const double mean = sum / (4.0 * flat.width() * flat.height());
    QVERIFY2(mean < 4, qPrintable(QStringLiteral("differs by %1 a channel on average").arg(mean)));
}

void tst_Pictures::pictureForTheScreen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("screenRatio");
    QTest::addColumn<double>("pictureRatio");

    QTest::newRow("1x screen") << QStringLiteral("main_bg") << 1.0 << 1.0;
    QTest::newRow("2x screen") << QStringLiteral("main_bg") << 2.0 << 2.0;
    QTest::newRow("125 %, shrunk rather than stretched") << QStringLiteral("disc") << 1.25 << 2.0;
    QTest::newRow("3x screen") << QStringLiteral("left_fore") << 3.0 << 2.0;
    QTest::newRow("from the PNG") << QStringLiteral("volume_thumb") << 2.0 << 2.0;
    QTest::newRow("no 2x form") << QStringLiteral("tonquill-48") << 2.0 << 1.0;
}

// The picture the windows paint: its logical size is the 1x picture's at
// whatever ratio it comes.
void tst_Pictures::pictureForTheScreen()
{
    QFETCH(QString, name);
    QFETCH(double, screenRatio);
    QFETCH(double, pictureRatio);
    const QImage read = readPicture(name, screenRatio);
    QCOMPARE(read.devicePixelRatio(), pictureRatio);
    QCOMPARE(read.deviceIndependentSize().toSize(), picture(name).size());
    QCOMPARE(read.format(), QImage::Format_ARGB32_Premultiplied);
}

void tst_Pictures::damagedStoredPixelsAreRefused_data()
{
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30, 128));
    const QByteArray good = rawPictureData(image);
    QVERIFY(!good.isEmpty());
    QCOMPARE(pictureFromRawData(good.constData(), good.size()),
             image.convertToFormat(QImage::Format_ARGB32_Premultiplied));

    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(16);
    QTest::newRow("last row short") << good.left(good.size() - 1);
    QTest::newRow("trailing bytes") << good + QByteArray(1, 'x');
    QByteArray magic = good;
    magic[0] = 'X';
    QTest::newRow("other magic") << magic;
    QByteArray huge = good;
    qToLittleEndian<quint32>(0x40000000u, huge.data() + 8);
    QTest::newRow("width beyond reason") << huge;
    QByteArray empty = good;
    qToLittleEndian<quint32>(0u, empty.data() + 12);
    QTest::newRow("no rows") << empty;
}

void tst_Pictures::damagedStoredPixelsAreRefused()
{
    QFETCH(QByteArray, data);
    QVERIFY(pictureFromRawData(data.constData(), data.size()).isNull());
}

void tst_Pictures::sharpEdgeCoveredByTheFlatPicture_data()
{
    QTest::addColumn<QRgb>("sharp");
    QTest::addColumn<QRgb>("flat");
    QTest::addColumn<QRgb>("shown"); // all premultiplied

    const QRgb red = qRgba(200, 0, 0, 255);
    const QRgb blue = qRgba(0, 0, 100, 255);
    QTest::newRow("opaque stays") << red << blue << red;
    QTest::newRow("open over the outline") << qRgba(0, 0, 0, 0) << blue << blue;
    QTest::newRow("open outside the outline") << qRgba(0, 0, 0, 0) << qRgba(0, 0, 0, 0) << qRgba(0, 0, 0, 0);
    QTest::newRow("half over the outline") << qRgba(100, 0, 0, 128) << blue << qRgba(100, 0, 50, 255);
}

void tst_Pictures::sharpEdgeCoveredByTheFlatPicture()
{
    QFETCH(QRgb, sharp);
    QFETCH(QRgb, flat);
    QFETCH(QRgb, shown);
    // A 2x picture whose every pixel is the row's one, over a 1x picture
    // of one pixel.
    QImage sharpPicture(2, 2, QImage::Format_ARGB32_Premultiplied);
    sharpPicture.fill(sharp);
    sharpPicture.setDevicePixelRatio(2.0);
    QImage flatPicture(1, 1, QImage::Format_ARGB32_Premultiplied);
    flatPicture.fill(flat);
    const QImage covered = coveredByFlat(sharpPicture, flatPicture);
    QCOMPARE(covered.devicePixelRatio(), 2.0);
    for (QPoint at : {QPoint(0, 0), QPoint(1, 1)})
        QCOMPARE(covered.pixel(at), shown);
    // Pictures that do not match are left as they are.
    QImage larger(2, 2, QImage::Format_ARGB32_Premultiplied);
    larger.fill(flat);
    QCOMPARE(coveredByFlat(sharpPicture, larger).pixel(0, 0), sharp);
}

QTEST_GUILESS_MAIN(tst_Pictures)
#include "tst_pictures.moc"
