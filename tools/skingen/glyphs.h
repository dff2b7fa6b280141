#pragma once

#include <QPainterPath>
#include <QRectF>

// Symbol outlines shared by buttons, icons and artwork. Each fills the box it
// is given, keeping its own proportions.
namespace skin::glyph {

QPainterPath play(const QRectF &box);   // right-pointing triangle, rounded tips
QPainterPath pause(const QRectF &box);  // two bars
QPainterPath clip(const QRectF &box);   // triangle between two brackets
QPainterPath notes(const QRectF &box);  // two beamed eighth notes
QPainterPath bolt(const QRectF &box);   // lightning bolt
QPainterPath cross(const QRectF &box, double thickness);
QPainterPath minus(const QRectF &box, double thickness);
QPainterPath plus(const QRectF &box, double thickness);
QPainterPath bars(const QRectF &box, double thickness); // three stacked lines
QPainterPath gear(const QPointF &centre, double radius, int teeth);
QPainterPath house(const QRectF &box);
QPainterPath bell(const QRectF &box);
QPainterPath text(const QString &s, const QFont &font, const QRectF &box); // centred in box

} // namespace skin::glyph
