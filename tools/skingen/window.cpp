// The main window's own pictures: the shaped background, the two level bars
// and the disc.
#include "pictures.h"

#include "glyphs.h"
#include "paint.h"
#include "skingeometry.h"

#include <QConicalGradient>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace skin {

namespace {

constexpr int kMainW = 749;
constexpr int kMainH = 530;
const QPointF kDiscCentre(mainskin::kDiscCentre);

// A 1-pixel frame whose upper edge is dark and lower edge light reads as a
// recess; the opposite order as a raised area.
QPen edgePen(const QRectF &r, bool recessed, int strength)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    const QColor dark(0, 6, 18, strength * 2);
    const QColor light(150, 205, 255, strength);
    g.setColorAt(0, recessed ? dark : light);
    g.setColorAt(1, recessed ? light : dark);
    return QPen(QBrush(g), 1);
}

void raisedPanel(QPainter &p, const QPainterPath &shape, int fillAlpha)
{
    const QRectF r = shape.boundingRect();
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, QColor(110, 170, 240, fillAlpha));
    fill.setColorAt(1, QColor(70, 130, 210, fillAlpha / 3));
    p.setPen(Qt::NoPen);
    p.fillPath(shape, fill);
    p.strokePath(shape, edgePen(r, false, 60));
}

void recessedWell(QPainter &p, const QPainterPath &shape, const QColor &top, const QColor &bottom)
{
    const QRectF r = shape.boundingRect();
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillPath(shape, fill);
    p.strokePath(shape, edgePen(r, true, 70));
}

// A round seat for a round button: a shadowed ring slightly larger than it.
void socket(QPainter &p, const QPointF &c, double r)
{
    QRadialGradient g(c + QPointF(0, -1), r + 3);
    g.setColorAt(0, QColor(0, 8, 22, 200));
    g.setColorAt(double(r) / (r + 3), QColor(0, 8, 22, 150));
    g.setColorAt(1, QColor(0, 8, 22, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r + 3, r + 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 205, 255, 60), 1));
    p.drawArc(QRectF(c.x() - r - 1.5, c.y() - r - 1.5, 2 * r + 3, 2 * r + 3), 200 * 16, 140 * 16);
}

QPainterPath windowOutline()
{
    QPainterPath shape;
    shape.setFillRule(Qt::WindingFill);
    shape.addRoundedRect(QRectF(14, 108, 676, 422), 20, 20);   // body
    shape.addRoundedRect(QRectF(0, 70, 40, 460), 12, 12);      // left level-bar tower
    shape.addEllipse(kDiscCentre, 82, 82);                      // disc housing
    return shape;
}

void wordmark(QPainter &p, const QPointF &baseline, double size)
{
    const QFont big = font(size, QFont::Bold);
    QPainterPath name;
    name.addText(baseline, big, QStringLiteral("Tonquill"));
    const QRectF b = name.boundingRect();
    p.fillPath(name.translated(0, 1.5), QColor(0, 8, 24, 150));
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(170, 214, 255));
    p.fillPath(name, g);
}

QImage mainBackground()
{
    QImage img = canvas(kMainW, kMainH);
    {
        QPainter p(&img);
        QLinearGradient body(0, 0, 0, kMainH);
        body.setColorAt(0.0, QColor(24, 74, 132));
        body.setColorAt(0.22, QColor(16, 58, 110));
        body.setColorAt(0.6, QColor(10, 40, 82));
        body.setColorAt(1.0, QColor(5, 24, 54));
        p.fillRect(img.rect(), body);
        // A broad soft light from the upper left keeps the large areas alive.
        QRadialGradient light(QPointF(230, 150), 460);
        light.setColorAt(0, QColor(90, 160, 240, 46));
        light.setColorAt(1, QColor(90, 160, 240, 0));
        p.fillRect(img.rect(), light);
    }
    // No grain here: the window decodes this picture on every start, and
    // grain makes it three times larger and a fifth slower to decode.

    const Mask shape = closeMask(maskFromPath(windowOutline(), kMainW, kMainH), 18);
    bevelOutline(img, shape, 6, 0.42);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Title.
    p.fillPath(glyph::notes(QRectF(54, 117, 24, 24)).translated(0, 1), QColor(0, 8, 24, 150));
    QLinearGradient warm(0, 117, 0, 141);
    warm.setColorAt(0, palette::amber);
    warm.setColorAt(1, palette::orange);
    p.fillPath(glyph::notes(QRectF(54, 117, 24, 24)), warm);
    wordmark(p, QPointF(84, 139), 22);
    p.setFont(font(11, QFont::Normal));
    p.setPen(QColor(140, 196, 250));
    p.drawText(QPointF(190, 139), QStringLiteral("ringtone maker"));

    // Input row.
    raisedPanel(p, roundRect(QRectF(47.5, 151.5, 532, 44), 9), 26);

    // Timeline well with a tick scale in its lower margin.
    recessedWell(p, roundRect(QRectF(51.5, 197.5, 547, 65), 8), QColor(2, 10, 26), QColor(6, 24, 52));
    p.setPen(QPen(withAlpha(palette::sky, 90), 1));
    for (int i = 0; i <= 20; ++i) {
        const double x = 60.5 + i * 529.0 / 20;
        p.drawLine(QPointF(x, 257), QPointF(x, i % 5 == 0 ? 261 : 259));
    }

    // Lower group with a round bite for the Generate button.
    QPainterPath group = roundRect(QRectF(47.5, 273.5, 580, 196), 11);
    QPainterPath bite;
    bite.addEllipse(QPointF(573, 480), 41, 41);
    group = group.subtracted(bite);
    raisedPanel(p, group, 22);

    // Transport deck: the pause button stands a step above play and clip.
    QPainterPath deck;
    deck.setFillRule(Qt::WindingFill);
    deck.addRoundedRect(QRectF(288.5, 338.5, 284, 48), 24, 24);
    deck.addRoundedRect(QRectF(377.5, 314.5, 104, 48), 24, 24);
    deck = deck.simplified();
    recessedWell(p, deck, QColor(2, 10, 26, 230), QColor(8, 30, 64, 230));

    // Seats of the round buttons.
    socket(p, QPointF(573, 480), 30);
    socket(p, QPointF(586, 151), 14);
    socket(p, QPointF(613.5, 175.5), 15.5);
    socket(p, QPointF(648.5, 183.5), 14.5);

    // Status bar along the bottom edge.
    {
        p.save();
        p.setClipPath(windowOutline());
        QLinearGradient bar(0, 503, 0, 530);
        bar.setColorAt(0, QColor(2, 10, 26, 150));
        bar.setColorAt(1, QColor(2, 10, 26, 90));
        p.fillRect(QRectF(0, 503, 690, 27), bar);
        p.fillRect(QRectF(26, 502, 664, 1), QColor(0, 6, 18, 170));
        p.fillRect(QRectF(26, 503, 664, 1), QColor(120, 190, 255, 40));
        p.restore();
    }

    // Groove behind the right level bar.
    recessedWell(p, roundRect(QRectF(641.5, 204.5, 32, 306), 8), QColor(2, 8, 22), QColor(4, 16, 36));

    // Disc housing: a dark well with a brushed metal ring.
    {
        QConicalGradient ring(kDiscCentre, 45);
        ring.setColorAt(0.0, QColor(210, 230, 250));
        ring.setColorAt(0.25, QColor(70, 100, 140));
        ring.setColorAt(0.5, QColor(190, 214, 240));
        ring.setColorAt(0.75, QColor(50, 76, 112));
        ring.setColorAt(1.0, QColor(210, 230, 250));
        p.setPen(Qt::NoPen);
        p.setBrush(ring);
        p.drawEllipse(kDiscCentre, 81.5, 81.5);
        QRadialGradient well(kDiscCentre, 79);
        well.setColorAt(0, QColor(10, 22, 44));
        well.setColorAt(0.9, QColor(2, 8, 20));
        well.setColorAt(1, QColor(0, 2, 8));
        p.setBrush(well);
        p.drawEllipse(kDiscCentre, 78.5, 78.5);
    }

    p.end();

    applyBinaryMask(img, shape);
    return img;
}

QColor ledColour(double t) // t: 0 at the bottom, 1 at the top
{
    if (t < 0.6)
        return mix(QColor(40, 220, 96), QColor(170, 236, 60), t / 0.6);
    if (t < 0.8)
        return mix(QColor(170, 236, 60), QColor(255, 206, 40), (t - 0.6) / 0.2);
    if (t < 0.92)
        return mix(QColor(255, 206, 40), QColor(255, 120, 30), (t - 0.8) / 0.12);
    return mix(QColor(255, 120, 30), QColor(250, 46, 40), (t - 0.92) / 0.08);
}

// Both pictures of a bar share the casing pixel for pixel: the lit one is
// drawn over the dim one from the bottom up, so only the segments may differ.
QImage levelBar(const mainskin::LevelBar &bar, int firstRow, int lastRow, bool lit)
{
    const int w = bar.size.width();
    const int h = bar.size.height();
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(86, 140, 204));
    p.drawRoundedRect(QRectF(0, 0, w, h), 6, 6);
    QLinearGradient casing(0, 0, w, 0);
    casing.setColorAt(0, QColor(10, 26, 52));
    casing.setColorAt(0.5, QColor(2, 8, 20));
    casing.setColorAt(1, QColor(6, 18, 40));
    p.setBrush(casing);
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 5, 5);
    p.setRenderHint(QPainter::Antialiasing, false);

    const int left = 5;
    const int width = w - 10;
    for (int top = firstRow; top + 2 <= lastRow; top += 4) {
        const double t = double(lastRow - top) / double(lastRow - firstRow);
        const QColor c = ledColour(t);
        if (lit) {
            // Glow spill, then the segment with a bright core.
            p.fillRect(QRect(left - 2, top - 1, width + 4, 5), withAlpha(c, 46));
            QLinearGradient seg(left, 0, left + width, 0);
            seg.setColorAt(0, darker(c, 0.15));
            seg.setColorAt(0.45, lighter(c, 0.45));
            seg.setColorAt(1, darker(c, 0.2));
            p.fillRect(QRect(left, top, width, 3), seg);
            p.fillRect(QRect(left + 1, top, width - 2, 1), withAlpha(lighter(c, 0.7), 200));
        } else {
            p.fillRect(QRect(left, top, width, 3), mix(QColor(4, 14, 30), c, 0.2));
            p.fillRect(QRect(left, top, width, 1), mix(QColor(4, 14, 30), c, 0.28));
        }
    }
    return img;
}

} // namespace

QImage discPicture(int size)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 165.0;
    p.scale(s, s);
    const QPointF c(82.5, 82.5);
    // Smaller than the housing's well so that its metal ring shows around
    // it even though the turning centre is a pixel off the picture's centre.
    const double r = 76.5;

    QRadialGradient vinyl(c, r);
    vinyl.setColorAt(0, QColor(30, 32, 40));
    vinyl.setColorAt(0.7, QColor(14, 15, 20));
    vinyl.setColorAt(1, QColor(24, 26, 34));
    p.setPen(QPen(QColor(90, 100, 118), 1));
    p.setBrush(vinyl);
    p.drawEllipse(c, r - 0.5, r - 0.5);

    // Grooves, with two wider gaps between "tracks".
    p.setBrush(Qt::NoBrush);
    int i = 0;
    for (double rr = 34; rr < r - 3; rr += 1.5, ++i) {
        const bool gap = std::abs(rr - 50) < 1 || std::abs(rr - 63.5) < 1;
        p.setPen(QPen(gap ? QColor(80, 86, 100, 120) : QColor(255, 255, 255, i % 2 ? 10 : 18), gap ? 1.2 : 0.7));
        p.drawEllipse(c, rr, rr);
    }

    // Light catching the grooves: two unequal streaks, so a turn shows.
    QConicalGradient sheen(c, 30);
    sheen.setColorAt(0.00, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.05, QColor(170, 210, 255, 70));
    sheen.setColorAt(0.11, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.48, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.53, QColor(170, 210, 255, 34));
    sheen.setColorAt(0.60, QColor(255, 255, 255, 0));
    sheen.setColorAt(1.00, QColor(255, 255, 255, 0));
    QPainterPath rec;
    rec.addEllipse(c, r - 1.5, r - 1.5);
    QPainterPath hole;
    hole.addEllipse(c, 31, 31);
    p.fillPath(rec.subtracted(hole), sheen);

    // Label: warm, with the name along its upper edge and a note below.
    QRadialGradient label(c + QPointF(-8, -10), 40);
    label.setColorAt(0, QColor(255, 204, 96));
    label.setColorAt(1, QColor(230, 100, 10));
    p.setPen(QPen(QColor(120, 46, 0), 1));
    p.setBrush(label);
    p.drawEllipse(c, 30, 30);
    p.setPen(QPen(QColor(255, 236, 190, 150), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 26.5, 26.5);

    // The name runs along the label's upper edge, each letter turned by its
    // own advance so that narrow letters do not leave gaps.
    const QFont small = font(7.4, QFont::Bold);
    const QFontMetricsF fm(small);
    const QString name = QStringLiteral("TONQUILL");
    const double arcR = 20;
    const double spacing = 1.2;
    const double total = fm.horizontalAdvance(name) + spacing * (name.size() - 1);
    const double degPerPx = 180.0 / (std::numbers::pi * arcR);
    double along = -total / 2;
    for (const QChar ch : name) {
        const double adv = fm.horizontalAdvance(ch);
        QPainterPath glyphPath;
        glyphPath.addText(-adv / 2, 0, small, QString(ch));
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate((along + adv / 2) * degPerPx);
        t.translate(0, -arcR + fm.capHeight() / 2);
        p.fillPath(t.map(glyphPath), QColor(70, 24, 0));
        along += adv + spacing;
    }
    p.fillPath(glyph::notes(QRectF(c.x() - 4, c.y() + 6, 16, 16)), QColor(255, 255, 255, 235));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 30, 0, 160));
    p.drawRoundedRect(QRectF(c.x() - 17, c.y() + 9, 10, 2.2), 1, 1);
    p.drawRoundedRect(QRectF(c.x() - 17, c.y() + 13, 7, 2.2), 1, 1);

    // Spindle hole.
    p.setBrush(QColor(200, 210, 226));
    p.drawEllipse(c, 4, 4);
    p.setBrush(palette::night);
    p.drawEllipse(c, 3, 3);
    return img;
}

void windowPictures(Pictures &out)
{
    out.push_back({QStringLiteral("main_bg"), mainBackground()});
    // Left: one percent of progress is one 4-row segment pitch; rows 0..8 stay
    // dark even at 100 %, so segments start below them.
    out.push_back({QStringLiteral("left_back"), levelBar(mainskin::kLeftBar, 9, 419, false)});
    out.push_back({QStringLiteral("left_fore"), levelBar(mainskin::kLeftBar, 9, 419, true)});
    out.push_back({QStringLiteral("right_back"), levelBar(mainskin::kRightBar, 3, 293, false)});
    out.push_back({QStringLiteral("right_fore"), levelBar(mainskin::kRightBar, 3, 293, true)});
    out.push_back({QStringLiteral("disc"), discPicture(165)});
}

} // namespace skin
