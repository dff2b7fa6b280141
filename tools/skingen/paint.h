#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// Shared palette and drawing helpers of the skin generator. Every picture is
// painted from these so that the skin keeps one look.
namespace skin {

namespace palette {
inline const QColor night(3, 12, 28);        // outlines and the deepest wells
inline const QColor deep(6, 24, 50);         // recessed fields
inline const QColor body(14, 52, 98);        // window body, upper part
inline const QColor bodyLow(8, 30, 62);      // window body, lower part
inline const QColor panel(22, 70, 128);      // raised group areas
inline const QColor menuBlue(1, 95, 179);    // menu items (fixed by skin.css)
inline const QColor blue(24, 110, 210);
inline const QColor sky(86, 186, 255);       // highlights, hover rims
inline const QColor ice(214, 236, 255);      // light faces for black text
inline const QColor orange(255, 140, 26);
inline const QColor amber(255, 196, 72);
inline const QColor grey(118, 126, 138);     // disabled faces
} // namespace palette

enum class State { Normal, Hover, Down, Disabled };

// File-name suffix of a button state: "_button", "_hover", "_down", "_disable".
QString stateSuffix(State s);

struct Picture
{
    QString name;
    QImage image;
};
using Pictures = std::vector<Picture>;

// The skin is drawn once for each pixel ratio (1, and 2 for the "@2x"
// pictures). Painters keep working in the 1x skin's pixels: canvas() makes an
// image of ratio times as many pixels whose painter maps them, and the pixel
// helpers below take their lengths in 1x pixels too.
void setPixelRatio(int ratio);
int pixelRatio();

// A transparent image of w x h 1x pixels at the current pixel ratio.
QImage canvas(int w, int h, QImage::Format format = QImage::Format_ARGB32_Premultiplied);
QColor mix(const QColor &a, const QColor &b, double t);
QColor withAlpha(QColor c, int alpha);
QColor lighter(const QColor &c, double t); // towards white by t (0..1)
QColor darker(const QColor &c, double t);  // towards black by t (0..1)
QColor greyed(const QColor &c);            // disabled look, keeps the alpha

// The one font family of the skin, unhinted so that the glyph outlines do not
// depend on the screen the generator happens to run on.
QFont font(double pixelSize, QFont::Weight weight = QFont::Bold);

QPainterPath roundRect(const QRectF &r, double radius);
QPainterPath ellipse(const QRectF &r);

// A glossy, slightly domed face: rim, body gradient, top gloss and a soft
// bottom glow. shapeAt(inset) returns the shape shrunk by inset pixels.
struct Glass
{
    QColor rim;
    QColor top;
    QColor bottom;
    QColor glow; // bottom reflection, alpha used as strength
    double gloss = 0.55;
};
void paintGlass(QPainter &p, const std::function<QPainterPath(double)> &shapeAt,
                const Glass &g, bool pressed);
Glass glassFor(State s, const Glass &normal, const Glass &hover);

// Draws src into target keeping the outer slices unscaled, the way a style
// sheet border-image does.
void drawNineSlice(QPainter &p, const QRect &target, const QImage &src, int slice);
void drawNineSlice(QPainter &p, const QRect &target, const QImage &src, int sx, int sy);

// Signed-distance helpers for shaped windows: inside[i] marks pixels of the
// shape (row major, w x h device pixels).
struct Mask
{
    int w = 0;
    int h = 0;
    std::vector<unsigned char> inside;
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && inside[size_t(y) * w + x]; }
};
// The path's cover of a canvas(w, h).
Mask maskFromPath(const QPainterPath &path, int w, int h);
// Morphological closing: rounds every concave corner with the given radius so
// that joined shapes flow into each other.
Mask closeMask(const Mask &m, double radius);
// Euclidean distance of every pixel to the nearest pixel outside the mask
// (the picture border counts as outside), in device pixels; 0 outside.
std::vector<float> insideDistance(const Mask &m);

// Raised rim along the outline, lit from the top left, plus a dark outer line.
void bevelOutline(QImage &img, const Mask &m, double width, double strength);
// Alpha 255 inside the mask, 0 outside: a window mask is binary, so soft edge
// pixels would only show the dialog's grey behind them.
void applyBinaryMask(QImage &img, const Mask &m);

// Tiny deterministic grain against gradient banding.
void addGrain(QImage &img, quint32 seed, int amplitude);

} // namespace skin
