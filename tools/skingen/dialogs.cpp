// Backgrounds of the small windows and the program icon.
#include "pictures.h"

#include "glyphs.h"
#include "paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace skin {

namespace {

// A stylised waveform: a few sines with an envelope, stable from run to run.
double waveHeight(double x)
{
    const double env = std::sin(x * 3.14159) * 0.8 + 0.2;
    const double v = 0.55 * std::abs(std::sin(x * 37.0)) + 0.3 * std::abs(std::sin(x * 91.0 + 1.3)) +
                     0.15 * std::abs(std::sin(x * 13.0 + 0.4));
    return env * v;
}

void drawWaveform(QPainter &p, const QRectF &box, const QColor &colour)
{
    const int bars = int(box.width() / 4);
    for (int i = 0; i < bars; ++i) {
        const double t = (i + 0.5) / bars;
        const double h = std::max(1.0, waveHeight(t) * box.height() / 2);
        const double fade = std::min(1.0, std::min(t, 1 - t) * 6);
        p.fillRect(QRectF(box.left() + i * 4, box.center().y() - h, 2.4, 2 * h),
                   withAlpha(colour, int(colour.alpha() * fade)));
    }
}

QImage aboutBackground()
{
    QImage img = canvas(400, 258);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 258);
    bg.setColorAt(0, QColor(20, 66, 124));
    bg.setColorAt(0.52, QColor(8, 30, 64));
    bg.setColorAt(1, QColor(4, 16, 36));
    p.fillRect(img.rect(), bg);
    QRadialGradient glow(QPointF(110, 40), 260);
    glow.setColorAt(0, QColor(90, 160, 240, 50));
    glow.setColorAt(1, QColor(90, 160, 240, 0));
    p.fillRect(img.rect(), glow);

    // The disc, half outside the box at the top right.
    {
        p.save();
        p.setOpacity(0.7);
        const QImage disc = discPicture(210);
        p.translate(352, 24);
        p.rotate(-28);
        p.drawImage(QPointF(-105, -105), disc);
        p.restore();
    }
    drawWaveform(p, QRectF(20, 100, 290, 32), QColor(86, 186, 255, 150));

    p.setPen(Qt::NoPen);
    QPainterPath name;
    name.addText(QPointF(22, 78), font(44, QFont::Bold), QStringLiteral("Tonquill"));
    p.fillPath(name.translated(0, 2), QColor(0, 8, 24, 160));
    QLinearGradient face(0, 40, 0, 80);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(160, 210, 255));
    p.fillPath(name, face);
    p.setFont(font(11, QFont::Bold));
    p.setPen(QColor(255, 178, 60));
    p.drawText(QPointF(26, 28), QStringLiteral("Z E N T A V O"));
    p.setFont(font(13, QFont::Normal));
    p.setPen(QColor(170, 214, 255));
    p.drawText(QPointF(26, 98), QStringLiteral("ringtone maker"));

    // The text area below stays plain; a fine rule sets it off.
    QLinearGradient rule(0, 0, 400, 0);
    rule.setColorAt(0, QColor(86, 186, 255, 0));
    rule.setColorAt(0.5, QColor(86, 186, 255, 150));
    rule.setColorAt(1, QColor(86, 186, 255, 0));
    p.fillRect(QRectF(0, 140, 400, 1), rule);
    p.fillRect(QRectF(0, 141, 400, 117), QColor(2, 10, 26, 90));
    p.fillRect(QRectF(0, 141, 400, 1), QColor(0, 4, 12, 160));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage registerBackground()
{
    const int w = 537, h = 385;
    QImage img = canvas(w, h);
    {
        QPainter p(&img);
        QLinearGradient body(0, 0, 0, h);
        body.setColorAt(0, QColor(24, 74, 132));
        body.setColorAt(0.3, QColor(14, 52, 100));
        body.setColorAt(1, QColor(5, 24, 54));
        p.fillRect(img.rect(), body);
    }
    addGrain(img, 0x5E61u, 1);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, w, h), 16, 16);
    const Mask shape = maskFromPath(outline, w, h);
    bevelOutline(img, shape, 6, 0.42);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient warm(0, 14, 0, 36);
    warm.setColorAt(0, palette::amber);
    warm.setColorAt(1, palette::orange);
    p.fillPath(glyph::notes(QRectF(22, 14, 22, 22)), warm);
    QPainterPath name;
    name.addText(QPointF(50, 34), font(19, QFont::Bold), QStringLiteral("Tonquill"));
    p.fillPath(name.translated(0, 1.5), QColor(0, 8, 24, 150));
    p.fillPath(name, Qt::white);

    // Seat of the close button.
    QRadialGradient seat(QPointF(500, 26), 15);
    seat.setColorAt(0.8, QColor(0, 8, 22, 170));
    seat.setColorAt(1, QColor(0, 8, 22, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(seat);
    p.drawEllipse(QPointF(500, 26), 15, 15);

    // The manager's labels keep Qt's black text, so its working area is light.
    const QRectF sheet(43.5, 57.5, 451, 302);
    p.fillPath(roundRect(sheet.adjusted(-2, -2, 2, 2), 14), QColor(0, 8, 22, 120));
    QLinearGradient paper(sheet.topLeft(), sheet.bottomLeft());
    paper.setColorAt(0, QColor(238, 245, 253));
    paper.setColorAt(1, QColor(200, 218, 240));
    p.setPen(QPen(QColor(140, 196, 250), 1));
    p.setBrush(paper);
    p.drawRoundedRect(sheet, 12, 12);
    p.setPen(QPen(QColor(120, 160, 210), 1));
    p.drawLine(QPointF(60, 93.5), QPointF(478, 93.5));
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.drawLine(QPointF(60, 94.5), QPointF(478, 94.5));
    // A shallow frame around the list.
    p.setPen(QPen(QColor(120, 160, 210), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(57.5, 97.5, 176, 246), 3, 3);
    p.end();

    applyBinaryMask(img, shape);
    return img;
}

void paintIcon(QPainter &p)
{
    // Drawn on a 256 grid; smaller icons scale the painter.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF tile(8, 8, 240, 240);
    p.setBrush(QColor(4, 20, 48));
    p.drawRoundedRect(tile, 54, 54);
    QLinearGradient blue(tile.topLeft(), tile.bottomLeft());
    blue.setColorAt(0, QColor(70, 150, 240));
    blue.setColorAt(1, QColor(10, 48, 116));
    p.setBrush(blue);
    p.drawRoundedRect(tile.adjusted(4, 4, -4, -4), 50, 50);

    p.save();
    p.translate(116, 132);
    p.rotate(-20);
    const QImage disc = discPicture(188);
    p.drawImage(QPointF(-94, -94), disc);
    p.restore();

    const QRectF bellBox(138, 118, 96, 104);
    const QPainterPath bellShape = glyph::bell(bellBox);
    QPainterPathStroker stroke;
    stroke.setWidth(10);
    stroke.setJoinStyle(Qt::RoundJoin);
    p.fillPath(stroke.createStroke(bellShape).united(bellShape), QColor(4, 20, 48));
    QLinearGradient warm(bellBox.topLeft(), bellBox.bottomLeft());
    warm.setColorAt(0, QColor(255, 214, 110));
    warm.setColorAt(1, QColor(240, 110, 10));
    p.fillPath(bellShape, warm);
    QLinearGradient side(bellBox.left() + 14, 0, bellBox.left() + 56, 0);
    side.setColorAt(0, QColor(255, 255, 255, 0));
    side.setColorAt(0.35, QColor(255, 255, 255, 120));
    side.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(bellShape, side);
    p.fillRect(QRectF(bellBox.left() + 4, bellBox.top() + bellBox.height() * 0.78, bellBox.width() - 8, 4),
               QColor(150, 60, 0, 140));

    QPainterPath gloss;
    gloss.addRoundedRect(tile.adjusted(10, 8, -10, -130), 46, 46);
    QLinearGradient shine(0, 16, 0, 118);
    shine.setColorAt(0, QColor(255, 255, 255, 80));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(gloss, shine);
}

QImage icon(int size)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.scale(size / 256.0, size / 256.0);
    paintIcon(p);
    return img;
}

} // namespace

void dialogPictures(Pictures &out)
{
    out.push_back({QStringLiteral("about_bg"), aboutBackground()});
    out.push_back({QStringLiteral("register_bg"), registerBackground()});
    out.push_back({QStringLiteral("tonquill"), icon(256)});
    out.push_back({QStringLiteral("tonquill-48"), icon(48)});
}

} // namespace skin
