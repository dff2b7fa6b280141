// Picture buttons: the window's round title buttons, the transport buttons,
// Generate, Browse and the ringtone manager's buttons.
#include "pictures.h"

#include "glyphs.h"
#include "paint.h"

#include <QPainter>

#include <array>

namespace skin {

namespace {

struct Look
{
    Glass normal;
    Glass hover;
    Glass down;
};

// Pressed faces invert the hover gradient (dark above, light below): the
// classic sunk look, and it follows the hover colour the user just saw.
Glass pressedFrom(const Glass &hover)
{
    Glass g = hover;
    g.top = darker(hover.bottom, 0.3);
    g.bottom = darker(hover.top, 0.12);
    g.rim = darker(hover.rim, 0.35);
    g.gloss = hover.gloss * 0.3;
    g.glow = withAlpha(hover.glow, hover.glow.alpha() / 3);
    return g;
}

Glass disabledFrom(const Glass &normal)
{
    return glassFor(State::Disabled, normal, normal);
}

Glass pick(const Look &look, State s)
{
    switch (s) {
    case State::Normal:
        return look.normal;
    case State::Hover:
        return look.hover;
    case State::Down:
        return look.down;
    case State::Disabled:
        return disabledFrom(look.normal);
    }
    return look.normal;
}

Look blueGlass()
{
    Look l;
    l.normal = {QColor(3, 14, 32), QColor(66, 132, 214), QColor(10, 44, 100), QColor(90, 190, 255, 120), 0.5};
    l.hover = {QColor(120, 205, 255), QColor(110, 178, 250), QColor(22, 86, 176), QColor(140, 230, 255, 190),
               0.55};
    l.down = pressedFrom(l.hover);
    return l;
}

Look redGlass()
{
    Look l = blueGlass();
    l.hover = {QColor(255, 170, 150), QColor(244, 112, 96), QColor(150, 24, 18), QColor(255, 170, 120, 170), 0.55};
    l.down = pressedFrom(l.hover);
    return l;
}

Look orangeGlass()
{
    Look l;
    l.normal = {QColor(70, 24, 0), QColor(255, 196, 84), QColor(214, 76, 0), QColor(255, 236, 140, 170), 0.55};
    l.hover = {QColor(255, 236, 170), QColor(255, 220, 130), QColor(244, 112, 16), QColor(255, 250, 190, 210),
               0.6};
    // Inverting the light hover face would turn the orange muddy; a pressed
    // Generate stays saturated and only sinks.
    l.down = {QColor(50, 16, 0), QColor(168, 60, 0), QColor(250, 150, 40), QColor(255, 210, 120, 90), 0.18};
    return l;
}

// Draws a white symbol with a soft shadow; pressed symbols sink by a pixel,
// disabled ones turn grey and lose the shadow.
void drawSymbol(QPainter &p, const QPainterPath &shape, State s, const QColor &colour = Qt::white)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (s == State::Disabled) {
        p.fillPath(shape, QColor(176, 180, 188));
    } else {
        const QPainterPath placed = s == State::Down ? shape.translated(0, 1) : shape;
        p.fillPath(placed.translated(0, 1), QColor(0, 10, 30, 120));
        p.fillPath(placed, colour);
    }
    p.restore();
}

QImage roundButton(int size, const Glass &g, State s, const QPainterPath &symbol)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    const QRectF r(0.5, 0.5, size - 1, size - 1);
    paintGlass(p, [r](double in) { return ellipse(r.adjusted(in, in, -in, -in)); }, g, s == State::Down);
    drawSymbol(p, symbol, s);
    return img;
}

QImage pillButton(QSize size, const Glass &g, State s, double radius, const QPainterPath &symbol,
                  const QColor &symbolColour = Qt::white)
{
    QImage img = canvas(size.width(), size.height());
    QPainter p(&img);
    const QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
    paintGlass(p,
               [r, radius](double in) {
                   return roundRect(r.adjusted(in, in, -in, -in), std::max(0.5, radius - in));
               },
               g, s == State::Down);
    if (!symbol.isEmpty())
        drawSymbol(p, symbol, s, symbolColour);
    return img;
}

constexpr std::array<State, 3> kThreeStates{State::Normal, State::Hover, State::Down};
constexpr std::array<State, 4> kFourStates{State::Normal, State::Hover, State::Down, State::Disabled};

} // namespace

QImage titleButton(int size, const QString &kind, State s)
{
    const Look look = kind == QLatin1String("close") ? redGlass() : blueGlass();
    const double c = size / 2.0;
    QPainterPath symbol;
    if (kind == QLatin1String("close")) {
        const double a = size * 0.19;
        symbol = glyph::cross(QRectF(c - a, c - a, 2 * a, 2 * a), size * 0.1);
    } else if (kind == QLatin1String("minimize")) {
        const double a = size * 0.22;
        symbol = glyph::minus(QRectF(c - a, c - 1.5, 2 * a, 3), size * 0.1).translated(0, size * 0.1);
    } else {
        const double a = size * 0.21;
        symbol = glyph::bars(QRectF(c - a, c - a * 0.85, 2 * a, 1.7 * a), size * 0.09);
    }
    return roundButton(size, pick(look, s), s, symbol);
}

void buttonPictures(Pictures &out)
{
    struct Title
    {
        const char *name;
        int size;
    };
    for (const Title t : {Title{"menu", 28}, Title{"minimize", 31}, Title{"close", 29}})
        for (State s : kThreeStates)
            out.push_back({QLatin1String(t.name) + stateSuffix(s), titleButton(t.size, QLatin1String(t.name), s)});

    // The manager's close button matches the main window's.
    const char *dlgNames[] = {"dlg_close_button", "dlg_close_hover", "dlg_close_down"};
    for (size_t i = 0; i < kThreeStates.size(); ++i)
        out.push_back({QLatin1String(dlgNames[i]), titleButton(24, QStringLiteral("close"), kThreeStates[i])});

    const QSize transport(92, 38);
    const QRectF iconBox(46 - 10, 19 - 10, 20, 20);
    struct Transport
    {
        const char *name;
        QPainterPath symbol;
    };
    const Transport kinds[] = {
        {"play", glyph::play(iconBox.adjusted(1, 0, 1, 0))},
        {"pause", glyph::pause(iconBox.adjusted(0, 1, 0, -1))},
        {"clip", glyph::clip(iconBox.adjusted(0, 2, 0, -2))},
    };
    for (const Transport &t : kinds)
        for (State s : kFourStates)
            out.push_back({QLatin1String(t.name) + stateSuffix(s),
                           pillButton(transport, pick(blueGlass(), s), s, 18.5, t.symbol)});

    for (State s : kFourStates) {
        QImage img = canvas(60, 60);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // A dark bezel ring seats the button in its socket on the background.
        QRadialGradient bezel(QPointF(30, 27), 32);
        bezel.setColorAt(0.8, QColor(8, 28, 60));
        bezel.setColorAt(1.0, QColor(2, 8, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(bezel);
        p.drawEllipse(QRectF(0.5, 0.5, 59, 59));
        const QRectF r(3, 3, 54, 54);
        paintGlass(p, [r](double in) { return ellipse(r.adjusted(in, in, -in, -in)); }, pick(orangeGlass(), s),
                   s == State::Down);
        QPainterPath sym = glyph::notes(QRectF(15, 14, 27, 27));
        QPainterPath spark = glyph::bolt(QRectF(35.5, 30, 10, 15));
        drawSymbol(p, sym.united(spark), s);
        p.end();
        out.push_back({QStringLiteral("generate") + stateSuffix(s), img});
    }

    Look browse;
    browse.normal = {QColor(112, 172, 236), QColor(40, 96, 170), QColor(9, 38, 86), QColor(90, 180, 255, 70), 0.22};
    browse.hover = {QColor(160, 220, 255), QColor(246, 251, 255), QColor(176, 212, 246), QColor(255, 255, 255, 120),
                    0.5};
    browse.down = {QColor(64, 124, 196), QColor(150, 184, 224), QColor(212, 230, 250), QColor(255, 255, 255, 60),
                   0.12};
    for (State s : kThreeStates)
        out.push_back({QStringLiteral("browse") + stateSuffix(s),
                       pillButton(QSize(89, 29), pick(browse, s), s, 6, {})});

    // The manager's text buttons keep Qt's black text: light faces throughout.
    Look text;
    text.normal = {QColor(52, 104, 176), QColor(252, 253, 255), QColor(196, 214, 238), QColor(255, 255, 255, 90), 0.5};
    text.hover = {QColor(34, 150, 244), QColor(255, 255, 255), QColor(178, 224, 255), QColor(220, 245, 255, 160),
                  0.55};
    text.down = {QColor(30, 84, 156), QColor(164, 188, 220), QColor(226, 236, 250), QColor(255, 255, 255, 60), 0.12};
    const char *textNames[] = {"button", "button_hover", "button_down"};
    for (size_t i = 0; i < kThreeStates.size(); ++i)
        out.push_back({QLatin1String(textNames[i]), pillButton(QSize(88, 29), pick(text, kThreeStates[i]),
                                                               kThreeStates[i], 6, {})});
}

} // namespace skin
