// Small style-sheet pictures: check box, spin arrows, menu frame, edit frame,
// the volume slider's parts and the link icons.
#include "pictures.h"

#include "glyphs.h"
#include "paint.h"

#include <QLinearGradient>
#include <QPainter>

namespace skin {

namespace {

QImage checkBox(State s)
{
    QImage img = canvas(22, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF box(3, 4, 16, 16);
    const bool checked = s == State::Down;

    if (s == State::Hover) {
        p.setBrush(withAlpha(palette::sky, 80));
        p.drawRoundedRect(box.adjusted(-1.5, -1.5, 1.5, 1.5), 5, 5);
    }
    QColor rim = s == State::Hover ? QColor(150, 220, 255) : QColor(108, 168, 234);
    if (s == State::Disabled)
        rim = QColor(104, 110, 122);
    p.setBrush(rim);
    p.drawRoundedRect(box, 3.5, 3.5);

    const QRectF face = box.adjusted(1, 1, -1, -1);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    if (s == State::Disabled) {
        g.setColorAt(0, QColor(58, 62, 70));
        g.setColorAt(1, QColor(74, 78, 88));
    } else if (checked) {
        g.setColorAt(0, QColor(84, 156, 236));
        g.setColorAt(1, QColor(16, 70, 150));
    } else {
        // An empty box is a small well: dark at the top where the rim shades it.
        g.setColorAt(0, QColor(2, 12, 30));
        g.setColorAt(1, s == State::Hover ? QColor(24, 70, 132) : QColor(14, 46, 92));
    }
    p.setBrush(g);
    p.drawRoundedRect(face, 2.5, 2.5);

    if (checked) {
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRoundedRect(QRectF(face.left() + 1, face.top() + 0.5, face.width() - 2, face.height() * 0.45), 2, 2);
        QPainterPath tick;
        tick.moveTo(box.left() + 3.8, box.top() + 8.4);
        tick.lineTo(box.left() + 6.8, box.top() + 11.6);
        tick.lineTo(box.left() + 12.4, box.top() + 4.4);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 20, 50, 140), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick.translated(0, 0.8));
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
    return img;
}

// Spin arrows are border-images with a one-pixel slice: the frame is that
// single pixel and the arrow sits in the stretched middle.
QImage spinArrow(bool up, State s)
{
    QImage img = canvas(18, 8);
    QPainter p(&img);
    QColor rim(78, 140, 210), top(40, 96, 170), bottom(14, 50, 108), arrow(Qt::white);
    switch (s) {
    case State::Normal:
        break;
    case State::Hover:
        rim = QColor(150, 220, 255);
        top = QColor(90, 164, 240);
        bottom = QColor(30, 96, 186);
        break;
    case State::Down:
        rim = QColor(40, 90, 160);
        top = QColor(6, 26, 62);
        bottom = QColor(26, 74, 140);
        arrow = QColor(180, 220, 255);
        break;
    case State::Disabled:
        rim = QColor(96, 102, 114);
        top = QColor(76, 80, 90);
        bottom = QColor(60, 64, 72);
        arrow = QColor(138, 142, 150);
        break;
    }
    p.fillRect(img.rect(), rim);
    QLinearGradient g(0, 1, 0, 7);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRect(1, 1, 16, 6), g);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tri;
    const double cy = s == State::Down ? 4.5 : 4.0;
    if (up) {
        tri.moveTo(9, cy - 1.8);
        tri.lineTo(12.2, cy + 1.6);
        tri.lineTo(5.8, cy + 1.6);
    } else {
        tri.moveTo(9, cy + 1.8);
        tri.lineTo(12.2, cy - 1.6);
        tri.lineTo(5.8, cy - 1.6);
    }
    tri.closeSubpath();
    p.fillPath(tri, arrow);
    return img;
}

QImage menuFrame()
{
    QImage img = canvas(58, 58, QImage::Format_ARGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), palette::night);
    // Raised frame: lit upper-left edges, shaded lower-right ones.
    p.fillRect(QRect(1, 1, 56, 56), QColor(0, 42, 92));
    p.fillRect(QRect(1, 1, 55, 55), QColor(104, 178, 244));
    QLinearGradient band(0, 2, 0, 56);
    band.setColorAt(0, QColor(24, 96, 182));
    band.setColorAt(1, QColor(8, 62, 134));
    p.fillRect(QRect(2, 2, 54, 54), band);
    p.fillRect(QRect(6, 6, 46, 46), QColor(0, 58, 118));
    p.fillRect(QRect(7, 7, 44, 44), palette::menuBlue);
    return img;
}

QImage menuSeparator()
{
    QImage img = canvas(106, 2, QImage::Format_ARGB32);
    QPainter p(&img);
    p.fillRect(QRect(0, 0, 106, 1), QColor(0, 46, 98));
    p.fillRect(QRect(0, 1, 106, 1), QColor(74, 152, 228));
    return img;
}

// The field behind white text: used with 8-pixel slices by the line edits and
// 4-pixel slices by the time and spin editors, so the look must hold for both.
QImage editBorder()
{
    QImage img = canvas(89, 28);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QLinearGradient rim(0, 0, 0, 28);
    rim.setColorAt(0, QColor(70, 126, 196));
    rim.setColorAt(1, QColor(140, 198, 250));
    p.setBrush(rim);
    p.drawRoundedRect(QRectF(0, 0, 89, 28), 3.5, 3.5);
    p.setBrush(QColor(2, 12, 28));
    p.drawRoundedRect(QRectF(1, 1, 87, 26), 2.5, 2.5);
    p.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient field(0, 2, 0, 26);
    field.setColorAt(0, QColor(3, 16, 36));
    field.setColorAt(0.2, QColor(5, 22, 48));
    field.setColorAt(1, QColor(7, 28, 58));
    p.fillRect(QRect(2, 2, 85, 24), field);
    return img;
}

QPainterPath wedge()
{
    // Rising from left to right like the loudness it sets.
    QPainterPath path;
    path.moveTo(0.5, 12.5);
    path.lineTo(0.5, 8.5);
    path.lineTo(128.5, 0.5);
    path.lineTo(128.5, 12.5);
    path.closeSubpath();
    return path;
}

QImage volumeTrack(bool warm)
{
    QImage img = canvas(129, 13);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.fillPath(wedge(), palette::night);
    QPainterPath face;
    face.moveTo(1.5, 11.5);
    face.lineTo(1.5, 9.1);
    face.lineTo(127.5, 1.6);
    face.lineTo(127.5, 11.5);
    face.closeSubpath();
    QLinearGradient g(0, 0, 129, 0);
    if (warm) {
        g.setColorAt(0, QColor(214, 82, 0));
        g.setColorAt(0.6, QColor(255, 150, 30));
        g.setColorAt(1, QColor(255, 208, 80));
    } else {
        g.setColorAt(0, QColor(16, 56, 112));
        g.setColorAt(1, QColor(34, 108, 200));
    }
    p.fillPath(face, g);
    QLinearGradient shine(0, 0, 0, 12);
    shine.setColorAt(0, QColor(255, 255, 255, warm ? 110 : 60));
    shine.setColorAt(0.6, QColor(255, 255, 255, 0));
    shine.setColorAt(1, QColor(0, 0, 0, 50));
    p.fillPath(face, shine);
    return img;
}

QImage volumeThumb()
{
    QImage img = canvas(5, 17);
    QPainter p(&img);
    // The last row falls outside the 16-row widget, so the thumb ends above it.
    p.fillRect(QRect(0, 1, 5, 14), palette::night);
    p.fillRect(QRect(1, 0, 3, 16), palette::night);
    QLinearGradient g(1, 0, 4, 0);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(168, 196, 230));
    p.fillRect(QRect(1, 1, 3, 14), g);
    p.fillRect(QRect(2, 2, 1, 12), QColor(255, 255, 255));
    return img;
}

QImage sign(bool withStem, const QColor &c)
{
    QImage img = canvas(7, 7);
    QPainter p(&img);
    const QColor soft = withAlpha(c, 120);
    p.fillRect(QRect(0, 3, 7, 1), c);
    p.fillRect(QRect(0, 2, 7, 1), soft);
    p.fillRect(QRect(0, 4, 7, 1), soft);
    if (withStem) {
        p.fillRect(QRect(3, 0, 1, 7), c);
        p.fillRect(QRect(2, 0, 1, 2), soft);
        p.fillRect(QRect(4, 0, 1, 2), soft);
        p.fillRect(QRect(2, 5, 1, 2), soft);
        p.fillRect(QRect(4, 5, 1, 2), soft);
    }
    return img;
}

QImage linkIcon(const QString &kind)
{
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 214, 255));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QLinearGradient g(0, 1.5, 0, 14.5);
    g.setColorAt(0, QColor(70, 150, 236));
    g.setColorAt(1, QColor(12, 62, 140));
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));

    QPainterPath symbol;
    if (kind == QLatin1String("tool")) {
        symbol = glyph::gear(QPointF(8, 8), 5.2, 7);
    } else if (kind == QLatin1String("home")) {
        symbol = glyph::house(QRectF(3.6, 3.4, 8.8, 8.4));
    } else {
        const QString ch = kind == QLatin1String("help") ? QStringLiteral("?") : QStringLiteral("i");
        symbol = glyph::text(ch, font(11.5, QFont::Bold), QRectF(0, 0, 16, 16.4));
    }
    p.fillPath(symbol, Qt::white);
    return img;
}

} // namespace

void controlPictures(Pictures &out)
{
    const char *checkNames[] = {"check_button", "check_hover", "check_down", "check_disable"};
    const State checkStates[] = {State::Normal, State::Hover, State::Down, State::Disabled};
    for (int i = 0; i < 4; ++i)
        out.push_back({QLatin1String(checkNames[i]), checkBox(checkStates[i])});

    const char *spinSuffix[] = {"", "hover", "pressed", "disabled"};
    for (bool up : {true, false})
        for (int i = 0; i < 4; ++i)
            out.push_back({QStringLiteral("spinbox") + (up ? QStringLiteral("up") : QStringLiteral("down")) +
                               QLatin1String(spinSuffix[i]),
                           spinArrow(up, checkStates[i])});

    out.push_back({QStringLiteral("menu"), menuFrame()});
    out.push_back({QStringLiteral("menu_separator"), menuSeparator()});
    out.push_back({QStringLiteral("edit_border"), editBorder()});

    out.push_back({QStringLiteral("volume_left"), volumeTrack(true)});
    out.push_back({QStringLiteral("volume_right"), volumeTrack(false)});
    out.push_back({QStringLiteral("volume_thumb"), volumeThumb()});
    out.push_back({QStringLiteral("volume_add"), sign(true, palette::sky)});
    out.push_back({QStringLiteral("volume_add2"), sign(true, QColor(255, 150, 30))});
    out.push_back({QStringLiteral("volume_sub"), sign(false, Qt::white)});

    for (const char *kind : {"tool", "help", "home", "about"})
        out.push_back({QLatin1String(kind), linkIcon(QLatin1String(kind))});
}

} // namespace skin
