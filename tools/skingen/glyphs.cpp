#include "glyphs.h"

#include <QFont>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace skin::glyph {

namespace {

QPainterPath stroked(const QPainterPath &line, double width, Qt::PenCapStyle cap = Qt::RoundCap)
{
    QPainterPathStroker s;
    s.setWidth(width);
    s.setCapStyle(cap);
    s.setJoinStyle(Qt::RoundJoin);
    return s.createStroke(line).simplified();
}

} // namespace

QPainterPath play(const QRectF &box)
{
    // An equilateral-looking triangle is narrower than tall; centre it by its
    // visual weight (a third from the flat side), not its bounding box.
    const double h = std::min(box.height(), box.width() / 0.87);
    const double w = h * 0.87;
    const double left = box.center().x() - w * 0.42;
    const double top = box.center().y() - h / 2;
    QPainterPath tri;
    tri.moveTo(left, top);
    tri.lineTo(left + w, top + h / 2);
    tri.lineTo(left, top + h);
    tri.closeSubpath();
    const double round = h * 0.09;
    QPainterPath soft = stroked(tri, round * 2);
    return soft.united(tri).simplified();
}

QPainterPath pause(const QRectF &box)
{
    const double h = box.height();
    const double bw = h * 0.3;
    const double gap = h * 0.26;
    const double left = box.center().x() - bw - gap / 2;
    QPainterPath path;
    const double r = bw * 0.25;
    path.addRoundedRect(QRectF(left, box.top(), bw, h), r, r);
    path.addRoundedRect(QRectF(left + bw + gap, box.top(), bw, h), r, r);
    return path;
}

QPainterPath clip(const QRectF &box)
{
    const double h = box.height();
    const double t = std::max(1.6, h * 0.13);
    const double bw = h * 0.3; // bracket depth
    const double cx = box.center().x();
    const double half = h * 0.95;
    QPainterPath left;
    left.moveTo(cx - half + bw, box.top() + t / 2);
    left.lineTo(cx - half + t / 2, box.top() + t / 2);
    left.lineTo(cx - half + t / 2, box.bottom() - t / 2);
    left.lineTo(cx - half + bw, box.bottom() - t / 2);
    QPainterPath right;
    right.moveTo(cx + half - bw, box.top() + t / 2);
    right.lineTo(cx + half - t / 2, box.top() + t / 2);
    right.lineTo(cx + half - t / 2, box.bottom() - t / 2);
    right.lineTo(cx + half - bw, box.bottom() - t / 2);
    QPainterPath path = stroked(left, t, Qt::SquareCap).united(stroked(right, t, Qt::SquareCap));
    const double th = h * 0.62;
    path = path.united(play(QRectF(cx - th * 0.45, box.center().y() - th / 2, th * 0.9, th)));
    return path.simplified();
}

QPainterPath notes(const QRectF &box)
{
    // Two eighth notes joined by a slanted beam, drawn in a 10 x 10 unit box.
    QPainterPath p;
    const auto head = [&p](double cx, double cy) {
        QPainterPath e;
        e.addEllipse(QPointF(0, 0), 1.55, 1.1);
        QTransform t;
        t.translate(cx, cy);
        t.rotate(-22);
        p.addPath(t.map(e));
    };
    head(2.2, 8.4);
    head(7.6, 7.4);
    p.addRect(QRectF(3.3, 1.9, 0.75, 6.4));
    p.addRect(QRectF(8.7, 0.9, 0.75, 6.4));
    QPainterPath beam;
    beam.moveTo(3.3, 1.9);
    beam.lineTo(9.45, 0.9);
    beam.lineTo(9.45, 2.6);
    beam.lineTo(3.3, 3.6);
    beam.closeSubpath();
    p.addPath(beam);
    p.setFillRule(Qt::WindingFill);
    QTransform scale;
    const double s = std::min(box.width(), box.height()) / 10.0;
    scale.translate(box.center().x() - 5 * s, box.center().y() - 5 * s);
    scale.scale(s, s);
    return scale.map(p.simplified());
}

QPainterPath bolt(const QRectF &box)
{
    QPainterPath p;
    const auto pt = [&box](double x, double y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    p.moveTo(pt(0.62, 0.0));
    p.lineTo(pt(0.12, 0.56));
    p.lineTo(pt(0.46, 0.56));
    p.lineTo(pt(0.34, 1.0));
    p.lineTo(pt(0.88, 0.40));
    p.lineTo(pt(0.54, 0.40));
    p.closeSubpath();
    return p;
}

QPainterPath cross(const QRectF &box, double thickness)
{
    QPainterPath a;
    a.moveTo(box.topLeft());
    a.lineTo(box.bottomRight());
    QPainterPath b;
    b.moveTo(box.topRight());
    b.lineTo(box.bottomLeft());
    return stroked(a, thickness).united(stroked(b, thickness)).simplified();
}

QPainterPath minus(const QRectF &box, double thickness)
{
    QPainterPath p;
    p.addRect(QRectF(box.left(), box.center().y() - thickness / 2, box.width(), thickness));
    return p;
}

QPainterPath plus(const QRectF &box, double thickness)
{
    QPainterPath p = minus(box, thickness);
    p.addRect(QRectF(box.center().x() - thickness / 2, box.top(), thickness, box.height()));
    p.setFillRule(Qt::WindingFill);
    return p.simplified();
}

QPainterPath bars(const QRectF &box, double thickness)
{
    QPainterPath p;
    for (int i = 0; i < 3; ++i) {
        const double y = box.top() + thickness / 2 + i * (box.height() - thickness) / 2;
        QPainterPath line;
        line.moveTo(box.left() + thickness / 2, y);
        line.lineTo(box.right() - thickness / 2, y);
        p.addPath(stroked(line, thickness));
    }
    p.setFillRule(Qt::WindingFill);
    return p.simplified();
}

QPainterPath gear(const QPointF &centre, double radius, int teeth)
{
    QPainterPath p;
    const double inner = radius * 0.72;
    const int steps = teeth * 4;
    for (int i = 0; i <= steps; ++i) {
        const double a = 2 * std::numbers::pi * i / steps - std::numbers::pi / 2;
        const double r = (i % 4 == 1 || i % 4 == 2) ? radius : inner;
        const QPointF q(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            p.moveTo(q);
        else
            p.lineTo(q);
    }
    p.closeSubpath();
    p.addEllipse(centre, radius * 0.3, radius * 0.3);
    p.setFillRule(Qt::OddEvenFill);
    return p;
}

QPainterPath house(const QRectF &box)
{
    const auto pt = [&box](double x, double y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    QPainterPath roof;
    roof.moveTo(pt(0.0, 0.52));
    roof.lineTo(pt(0.5, 0.06));
    roof.lineTo(pt(1.0, 0.52));
    roof.lineTo(pt(0.86, 0.52));
    roof.lineTo(pt(0.86, 1.0));
    roof.lineTo(pt(0.61, 1.0));
    roof.lineTo(pt(0.61, 0.7));
    roof.lineTo(pt(0.39, 0.7));
    roof.lineTo(pt(0.39, 1.0));
    roof.lineTo(pt(0.14, 1.0));
    roof.lineTo(pt(0.14, 0.52));
    roof.closeSubpath();
    return roof;
}

QPainterPath bell(const QRectF &box)
{
    const auto pt = [&box](double x, double y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    QPainterPath p;
    p.moveTo(pt(0.5, 0.08));
    p.cubicTo(pt(0.78, 0.08), pt(0.8, 0.36), pt(0.8, 0.52));
    p.cubicTo(pt(0.8, 0.68), pt(0.9, 0.74), pt(0.98, 0.82));
    p.lineTo(pt(0.02, 0.82));
    p.cubicTo(pt(0.1, 0.74), pt(0.2, 0.68), pt(0.2, 0.52));
    p.cubicTo(pt(0.2, 0.36), pt(0.22, 0.08), pt(0.5, 0.08));
    p.closeSubpath();
    p.addEllipse(QRectF(pt(0.39, 0.84), pt(0.61, 1.0)));
    p.addEllipse(QRectF(pt(0.44, 0.0), pt(0.56, 0.12)));
    p.setFillRule(Qt::WindingFill);
    return p.simplified();
}

QPainterPath text(const QString &s, const QFont &font, const QRectF &box)
{
    QPainterPath p;
    p.addText(0, 0, font, s);
    const QRectF b = p.boundingRect();
    return p.translated(box.center() - b.center());
}

} // namespace skin::glyph
