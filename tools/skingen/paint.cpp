#include "paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace skin {

QString stateSuffix(State s)
{
    switch (s) {
    case State::Normal:
        return QStringLiteral("_button");
    case State::Hover:
        return QStringLiteral("_hover");
    case State::Down:
        return QStringLiteral("_down");
    case State::Disabled:
        return QStringLiteral("_disable");
    }
    return {};
}

namespace {
int currentRatio = 1;
} // namespace

void setPixelRatio(int ratio)
{
    currentRatio = std::max(1, ratio);
}

int pixelRatio()
{
    return currentRatio;
}

QImage canvas(int w, int h, QImage::Format format)
{
    QImage img(w * currentRatio, h * currentRatio, format);
    img.setDevicePixelRatio(currentRatio);
    img.fill(Qt::transparent);
    return img;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto lerp = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(std::clamp(alpha, 0, 255));
    return c;
}

QColor lighter(const QColor &c, double t)
{
    return mix(c, withAlpha(Qt::white, c.alpha()), t);
}

QColor darker(const QColor &c, double t)
{
    return mix(c, withAlpha(Qt::black, c.alpha()), t);
}

QColor greyed(const QColor &c)
{
    const double l = 0.3 * c.red() + 0.59 * c.green() + 0.11 * c.blue();
    const int v = int(l * 0.45 + 62);
    return QColor(v, v + 3, v + 9, c.alpha());
}

QFont font(double pixelSize, QFont::Weight weight)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(int(std::lround(pixelSize)));
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QPainterPath roundRect(const QRectF &r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath ellipse(const QRectF &r)
{
    QPainterPath path;
    path.addEllipse(r);
    return path;
}

void paintGlass(QPainter &p, const std::function<QPainterPath(double)> &shapeAt, const Glass &g,
                bool pressed)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    p.fillPath(shapeAt(0), g.rim);

    const QPainterPath face = shapeAt(1);
    const QRectF b = face.boundingRect();
    QLinearGradient body(b.topLeft(), b.bottomLeft());
    body.setColorAt(0, g.top);
    body.setColorAt(0.55, mix(g.top, g.bottom, 0.7));
    body.setColorAt(1, g.bottom);
    p.fillPath(face, body);

    p.setClipPath(face);
    if (g.glow.alpha() > 0) {
        QRadialGradient glow(QPointF(b.center().x(), b.bottom() + b.height() * 0.15),
                             std::max(b.width(), b.height()) * 0.62);
        glow.setColorAt(0, g.glow);
        glow.setColorAt(1, withAlpha(g.glow, 0));
        p.fillRect(b, glow);
    }
    if (pressed) {
        // A pressed face is sunk: its upper edge falls into shadow.
        QLinearGradient shade(b.topLeft(), QPointF(b.left(), b.top() + b.height() * 0.4));
        shade.setColorAt(0, QColor(0, 0, 0, 110));
        shade.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(b, shade);
    }
    p.setClipping(false);

    if (g.gloss > 0) {
        const QPainterPath inner = shapeAt(std::max(1.5, b.height() * 0.06));
        const QRectF ib = inner.boundingRect();
        QPainterPath upper;
        upper.addRect(QRectF(ib.left() - 1, ib.top() - 1, ib.width() + 2, ib.height() * 0.5 + 1));
        QLinearGradient shine(ib.topLeft(), QPointF(ib.left(), ib.top() + ib.height() * 0.5));
        shine.setColorAt(0, QColor(255, 255, 255, int(255 * g.gloss)));
        shine.setColorAt(1, QColor(255, 255, 255, int(255 * g.gloss * 0.12)));
        p.fillPath(inner.intersected(upper), shine);
    }
    p.restore();
}

Glass glassFor(State s, const Glass &normal, const Glass &hover)
{
    switch (s) {
    case State::Normal:
        return normal;
    case State::Hover:
        return hover;
    case State::Down: {
        Glass g = normal;
        g.top = darker(normal.bottom, 0.25);
        g.bottom = darker(normal.top, 0.1);
        g.rim = darker(normal.rim, 0.3);
        g.gloss = normal.gloss * 0.35;
        g.glow = withAlpha(g.glow, g.glow.alpha() / 2);
        return g;
    }
    case State::Disabled: {
        Glass g = normal;
        g.top = greyed(normal.top);
        g.bottom = greyed(normal.bottom);
        g.rim = greyed(darker(normal.rim, 0.2));
        g.glow = QColor(0, 0, 0, 0);
        g.gloss = 0.12;
        return g;
    }
    }
    return normal;
}

void drawNineSlice(QPainter &p, const QRect &target, const QImage &src, int slice)
{
    drawNineSlice(p, target, src, slice, slice);
}

void drawNineSlice(QPainter &p, const QRect &target, const QImage &src, int sx, int sy)
{
    const int sw = src.width();
    const int sh = src.height();
    const int xs[] = {0, sx, sw - sx, sw};
    const int ys[] = {0, sy, sh - sy, sh};
    const int tx[] = {target.left(), target.left() + sx, target.right() + 1 - sx, target.right() + 1};
    const int ty[] = {target.top(), target.top() + sy, target.bottom() + 1 - sy, target.bottom() + 1};
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            const QRect s(xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]);
            const QRect t(tx[i], ty[j], tx[i + 1] - tx[i], ty[j + 1] - ty[j]);
            if (!s.isEmpty() && !t.isEmpty())
                p.drawImage(t, src, s);
        }
    }
}

Mask maskFromPath(const QPainterPath &path, int w, int h)
{
    w *= currentRatio;
    h *= currentRatio;
    QImage cover(w, h, QImage::Format_Grayscale8);
    cover.fill(0);
    {
        QPainter p(&cover);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(currentRatio, currentRatio);
        p.fillPath(path, Qt::white);
    }
    Mask m{w, h, std::vector<unsigned char>(size_t(w) * h)};
    for (int y = 0; y < h; ++y) {
        const uchar *line = cover.constScanLine(y);
        for (int x = 0; x < w; ++x)
            m.inside[size_t(y) * w + x] = line[x] >= 128;
    }
    return m;
}

namespace {

constexpr float kFar = 1e20f;

// One-dimensional squared distance transform (Felzenszwalb and Huttenlocher).
void distance1d(const std::vector<float> &f, std::vector<float> &d, int n)
{
    std::vector<int> v(static_cast<size_t>(n));
    std::vector<float> z(static_cast<size_t>(n) + 1);
    int k = 0;
    v[0] = 0;
    z[0] = -kFar;
    z[1] = kFar;
    for (int q = 1; q < n; ++q) {
        float s = ((f[q] + float(q) * q) - (f[v[k]] + float(v[k]) * v[k])) / float(2 * q - 2 * v[k]);
        while (s <= z[k]) {
            --k;
            s = ((f[q] + float(q) * q) - (f[v[k]] + float(v[k]) * v[k])) / float(2 * q - 2 * v[k]);
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = kFar;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < float(q))
            ++k;
        const float dq = float(q - v[k]);
        d[q] = dq * dq + f[v[k]];
    }
}

// Squared distance of every cell to the nearest cell where feature is set.
std::vector<float> squaredDistance(const std::vector<unsigned char> &feature, int w, int h)
{
    std::vector<float> grid(size_t(w) * h);
    for (size_t i = 0; i < grid.size(); ++i)
        grid[i] = feature[i] ? 0.f : kFar;
    const int n = std::max(w, h);
    std::vector<float> f(static_cast<size_t>(n)), d(static_cast<size_t>(n));
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            f[y] = grid[size_t(y) * w + x];
        distance1d(f, d, h);
        for (int y = 0; y < h; ++y)
            grid[size_t(y) * w + x] = d[y];
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            f[x] = grid[size_t(y) * w + x];
        distance1d(f, d, w);
        for (int x = 0; x < w; ++x)
            grid[size_t(y) * w + x] = d[x];
    }
    return grid;
}

} // namespace

Mask closeMask(const Mask &m, double radius)
{
    radius *= currentRatio;
    // The padding lets shapes that touch the picture border stay there: the
    // grow step spreads into it and the shrink step finds outside cells past it.
    const int pad = int(std::ceil(radius)) + 2;
    const int W = m.w + 2 * pad;
    const int H = m.h + 2 * pad;
    std::vector<unsigned char> grid(size_t(W) * H, 0);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            grid[size_t(y + pad) * W + x + pad] = m.inside[size_t(y) * m.w + x];

    const float r2 = float(radius * radius);
    const std::vector<float> grow = squaredDistance(grid, W, H);
    std::vector<unsigned char> outsideGrown(grid.size());
    for (size_t i = 0; i < grid.size(); ++i)
        outsideGrown[i] = grow[i] > r2;
    const std::vector<float> shrink = squaredDistance(outsideGrown, W, H);

    Mask out{m.w, m.h, std::vector<unsigned char>(m.inside.size())};
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            out.inside[size_t(y) * m.w + x] = shrink[size_t(y + pad) * W + x + pad] > r2;
    return out;
}

std::vector<float> insideDistance(const Mask &m)
{
    const int W = m.w + 2;
    const int H = m.h + 2;
    std::vector<unsigned char> outside(size_t(W) * H, 1);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            outside[size_t(y + 1) * W + x + 1] = !m.inside[size_t(y) * m.w + x];
    const std::vector<float> d2 = squaredDistance(outside, W, H);
    std::vector<float> d(m.inside.size());
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            d[size_t(y) * m.w + x] = std::sqrt(d2[size_t(y + 1) * W + x + 1]);
    return d;
}

void bevelOutline(QImage &img, const Mask &m, double width, double strength)
{
    const std::vector<float> d = insideDistance(m);
    const float ratio = float(currentRatio);
    const auto dist = [&](int x, int y) -> float {
        if (x < 0 || y < 0 || x >= m.w || y >= m.h)
            return 0.f;
        return d[size_t(y) * m.w + x];
    };
    const QColor edge = palette::night;
    for (int y = 0; y < m.h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < m.w; ++x) {
            // In 1x pixels, so that the rim keeps its width at every ratio.
            const float here = dist(x, y) / ratio;
            if (here <= 0.f || here > width + 1)
                continue;
            // Average the slope over a 5-pixel cross: a single difference of a
            // distance field is ragged along diagonal edges.
            const double gx = (dist(x + 1, y) - dist(x - 1, y)) + 0.5 * (dist(x + 2, y) - dist(x - 2, y));
            const double gy = (dist(x, y + 1) - dist(x, y - 1)) + 0.5 * (dist(x, y + 2) - dist(x, y - 2));
            const double len = std::hypot(gx, gy); // a direction: device pixels will do
            const double facing = len > 1e-6 ? 0.7071 * (gx + gy) / len : 0.0;
            const double fall = std::pow(std::clamp(1.0 - (here - 1.0) / width, 0.0, 1.0), 1.4);
            const double shade = strength * facing * fall;
            QColor c = QColor::fromRgba(line[x]);
            c = shade > 0 ? lighter(c, shade) : darker(c, -shade);
            if (here < 1.01f)
                c = mix(c, edge, 0.8);
            else if (here < 2.01f)
                c = mix(c, edge, 0.25);
            line[x] = c.rgba();
        }
    }
}

void applyBinaryMask(QImage &img, const Mask &m)
{
    const qreal ratio = img.devicePixelRatio();
    img = img.convertToFormat(QImage::Format_ARGB32);
    img.setDevicePixelRatio(ratio);
    for (int y = 0; y < m.h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < m.w; ++x) {
            const QRgb c = line[x];
            line[x] = m.inside[size_t(y) * m.w + x] ? qRgba(qRed(c), qGreen(c), qBlue(c), 255) : 0u;
        }
    }
}

void addGrain(QImage &img, quint32 seed, int amplitude)
{
    QRandomGenerator rng(seed);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng.bounded(2 * amplitude + 1)) - amplitude;
            const QRgb c = line[x];
            if (qAlpha(c) != 255)
                continue;
            line[x] = qRgba(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                            std::clamp(qBlue(c) + n, 0, 255), 255);
        }
    }
}

} // namespace skin
