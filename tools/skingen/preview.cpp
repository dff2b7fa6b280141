// Preview sheets: the pictures put together the way the program will show
// them, with stand-ins for the widgets' own text, so the skin can be judged
// as a whole before anyone builds the program.
#include "pictures.h"

#include "paint.h"
#include "skingeometry.h"

#include <QPainter>

#include <algorithm>
#include <map>

namespace skin {

namespace {

using Library = std::map<QString, QImage>;

Library index(const Pictures &all)
{
    Library lib;
    for (const Picture &pic : all)
        lib[pic.name] = pic.image;
    return lib;
}

const QFont &labelFont()
{
    static const QFont f = font(13, QFont::Bold); // 10 pt bold at 96 dpi
    return f;
}

void label(QPainter &p, const QRect &r, const QString &text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter,
           const QColor &colour = Qt::white, const QFont &f = labelFont())
{
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, int(align), text);
}

void edit(QPainter &p, const Library &lib, const QRect &r, int slice, const QString &text)
{
    drawNineSlice(p, r, lib.at(QStringLiteral("edit_border")), slice);
    label(p, r.adjusted(6, 0, -4, 0), text, Qt::AlignLeft | Qt::AlignVCenter, Qt::white, font(12, QFont::Normal));
}

void spinEdit(QPainter &p, const Library &lib, const QRect &r, const QString &text)
{
    edit(p, lib, r, 4, text);
    const QRect up(r.right() - 3 - 14, r.top() + 4, 14, r.height() / 2 - 4);
    const QRect down(up.left(), up.bottom() + 1, 14, r.bottom() - 3 - up.bottom());
    drawNineSlice(p, up, lib.at(QStringLiteral("spinboxup")), 1);
    drawNineSlice(p, down, lib.at(QStringLiteral("spinboxdown")), 1);
}

void button(QPainter &p, const Library &lib, const QRect &r, const QString &picture, const QString &text = {},
            const QColor &colour = Qt::white)
{
    const QImage &img = lib.at(picture);
    if (img.size() == r.size())
        p.drawImage(r.topLeft(), img);
    else
        p.drawImage(r, img);
    if (!text.isEmpty())
        label(p, r, text, Qt::AlignCenter, colour, font(12, QFont::Normal));
}

void mockTimeline(QPainter &p, const QRect &r)
{
    p.fillRect(r, QColor(3, 14, 34));
    const int clipEnd = r.left() + r.width() / 4;
    p.fillRect(QRect(r.left(), r.top(), clipEnd - r.left(), r.height()), QColor(30, 90, 170, 120));
    for (int x = r.left() + 2; x < r.right(); x += 2) {
        const double t = double(x - r.left()) / r.width();
        const int h = int((0.3 + 0.7 * std::abs(std::sin(t * 47) * std::sin(t * 7.3))) * (r.height() / 2 - 4));
        p.fillRect(QRect(x, r.center().y() - h, 1, 2 * h), QColor(120, 200, 255, 200));
    }
    p.fillRect(QRect(clipEnd - 1, r.top(), 2, r.height()), QColor(255, 170, 40));
}

} // namespace

QImage previewMainWindow(const Pictures &all, int progress, double discAngle)
{
    const Library lib = index(all);
    QImage window(750, 531, QImage::Format_ARGB32_Premultiplied);
    window.fill(QColor(240, 240, 240)); // the dialog's own palette, seen only through holes
    QPainter p(&window);

    // The window's painting, step by step as the main dialog does it.
    const int v = progress;
    p.drawImage(0, 0, lib.at(QStringLiteral("main_bg")));
    const auto bar = [&](const mainskin::LevelBar &geometry, const QString &name, int firstLit) {
        p.drawImage(geometry.topLeft, lib.at(name + QStringLiteral("_back")));
        p.drawImage(geometry.topLeft + QPoint(0, firstLit), lib.at(name + QStringLiteral("_fore")),
                    QRect(0, firstLit, geometry.size.width(), geometry.size.height() - firstLit));
    };
    bar(mainskin::kLeftBar, QStringLiteral("left"), mainskin::leftBarFirstLitRow(v));
    bar(mainskin::kRightBar, QStringLiteral("right"), mainskin::rightBarFirstLitRow(v));
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(mainskin::kDiscCentre);
    p.rotate(discAngle);
    p.translate(-mainskin::kDiscCentre);
    p.drawImage(mainskin::kDiscRect, lib.at(QStringLiteral("disc")));
    p.restore();

    p.setRenderHint(QPainter::TextAntialiasing);
    mockTimeline(p, QRect(60, 205, 530, 50));
    button(p, lib, QRect(572, 137, 28, 28), QStringLiteral("menu_button"));
    button(p, lib, QRect(598, 160, 31, 31), QStringLiteral("minimize_button"));
    button(p, lib, QRect(634, 169, 29, 29), QStringLiteral("close_hover"));
    button(p, lib, QRect(543, 450, 60, 60), QStringLiteral("generate_button"));
    button(p, lib, QRect(294, 343, 92, 38), QStringLiteral("play_button"));
    button(p, lib, QRect(383, 319, 92, 38), QStringLiteral("pause_disable"));
    button(p, lib, QRect(474, 343, 92, 38), QStringLiteral("clip_button"));
    button(p, lib, QRect(477, 160, 88, 29), QStringLiteral("browse_hover"), QStringLiteral("Browse..."), Qt::black);

    label(p, QRect(60, 164, 100, 16), QStringLiteral("Input File:"));
    edit(p, lib, QRect(153, 160, 315, 28), 8, QStringLiteral("C:/Music/Summer Song.mp3"));

    label(p, QRect(60, 289, 84, 22), QStringLiteral("Start Time:"));
    spinEdit(p, lib, QRect(146, 289, 88, 22), QStringLiteral("0:00:00.000"));
    label(p, QRect(60, 315, 84, 22), QStringLiteral("End Time:"));
    spinEdit(p, lib, QRect(146, 315, 88, 22), QStringLiteral("0:00:10.000"));
    label(p, QRect(60, 341, 84, 22), QStringLiteral("Length:"));
    label(p, QRect(146, 341, 88, 22), QStringLiteral("00:00:10.000"), Qt::AlignCenter);
    label(p, QRect(270, 300, 61, 34), QStringLiteral("Fade in:"));
    spinEdit(p, lib, QRect(330, 310, 51, 22), QStringLiteral("0"));
    label(p, QRect(562, 322, 66, 22), QStringLiteral("Fade out:"), Qt::AlignCenter);
    spinEdit(p, lib, QRect(570, 346, 51, 22), QStringLiteral("2"));
    label(p, QRect(290, 290, 160, 16), QStringLiteral("00:00:00 / 00:03:12"), Qt::AlignLeft | Qt::AlignVCenter,
          Qt::white, font(12, QFont::Normal));

    // Volume slider at 100, drawn the way the slider paints itself.
    {
        const QPoint o(450, 290);
        const int left = 15, thumbX = 79;
        p.drawImage(o + QPoint(left, 2), lib.at(QStringLiteral("volume_right")));
        p.drawImage(o + QPoint(left, 2), lib.at(QStringLiteral("volume_left")), QRect(0, 0, thumbX - left, 13));
        p.drawImage(o + QPoint(left - 9, 5), lib.at(QStringLiteral("volume_sub")));
        p.drawImage(o + QPoint(left + 128 + 4, 5), lib.at(QStringLiteral("volume_add")));
        p.drawImage(o + QPoint(thumbX - 2, 0), lib.at(QStringLiteral("volume_thumb")), QRect(0, 0, 5, 16));
        label(p, QRect(485, 306, 101, 20), QStringLiteral("Volume: 1x"), Qt::AlignCenter);
    }

    label(p, QRect(60, 380, 100, 30), QStringLiteral("Output Name:"));
    edit(p, lib, QRect(163, 381, 238, 28), 8, QStringLiteral("Summer Song"));
    label(p, QRect(60, 410, 150, 30), QStringLiteral("Local Output Folder:"));
    edit(p, lib, QRect(206, 411, 277, 28), 8, QStringLiteral("C:/Users/me/Documents/Zentavo Tonquill"));
    button(p, lib, QRect(489, 411, 82, 28), QStringLiteral("browse_button"), QStringLiteral("Browse..."));

    p.drawImage(60, 439, lib.at(QStringLiteral("check_down")));
    label(p, QRect(84, 440, 140, 22), QStringLiteral("Export to iPhone"));
    p.drawImage(226, 439, lib.at(QStringLiteral("check_button")));
    label(p, QRect(250, 440, 140, 22), QStringLiteral("Export to iTunes"));

    int x = 40;
    QFont link = font(12, QFont::Normal);
    link.setUnderline(true);
    for (const auto &[icon, text] : {std::pair{"tool", "Manage"}, std::pair{"help", "Help"},
                                     std::pair{"home", "Home"}, std::pair{"about", "About"}}) {
        p.drawImage(x, 473, lib.at(QLatin1String(icon)));
        const int w = QFontMetrics(link).horizontalAdvance(QLatin1String(text));
        label(p, QRect(x + 17, 470, w + 2, 22), QLatin1String(text), Qt::AlignLeft | Qt::AlignVCenter, Qt::white,
              link);
        x += 17 + w + 8;
    }
    label(p, QRect(50, 510, 471, 21), QStringLiteral("Ready."), Qt::AlignLeft | Qt::AlignVCenter, Qt::white,
          font(12, QFont::Normal));
    p.end();

    // The window mask: only pixels that are not fully transparent in the
    // background survive; the last row and column lie outside the picture.
    const QImage &bg = lib.at(QStringLiteral("main_bg"));
    QImage shown(window.size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    for (int y = 0; y < bg.height(); ++y)
        for (int xx = 0; xx < bg.width(); ++xx)
            if (bg.pixel(xx, y) != 0u)
                shown.setPixel(xx, y, window.pixel(xx, y));

    QImage desk(790, 571, QImage::Format_ARGB32_Premultiplied);
    QPainter d(&desk);
    QLinearGradient wall(0, 0, 790, 571);
    wall.setColorAt(0, QColor(150, 158, 170));
    wall.setColorAt(1, QColor(96, 104, 118));
    d.fillRect(desk.rect(), wall);
    d.drawImage(20, 20, shown);
    return desk;
}

QImage previewSheet(const Pictures &all)
{
    const Library lib = index(all);
    QImage sheet(1240, 1500, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(52, 56, 64));
    QPainter p(&sheet);

    // About box with its text lines.
    p.drawImage(20, 20, lib.at(QStringLiteral("about_bg")));
    const QFont body = font(12, QFont::Normal);
    label(p, QRect(170, 165, 240, 22), QStringLiteral("Version: 1.0.0.0"), Qt::AlignRight | Qt::AlignVCenter,
          Qt::white, body);
    label(p, QRect(40, 215, 360, 22), QStringLiteral("Home Page: https://www.example.com"), Qt::AlignLeft,
          Qt::white, body);
    label(p, QRect(40, 235, 360, 22), QStringLiteral("Support: https://www.example.com/support"), Qt::AlignLeft,
          Qt::white, body);
    label(p, QRect(40, 255, 370, 22), QStringLiteral("Copyright (C) Zentavo Corporation"), Qt::AlignLeft,
          Qt::white, body);

    // Ringtone manager with its widgets' black text.
    const QPoint m(440, 20);
    p.drawImage(m, lib.at(QStringLiteral("register_bg")));
    p.drawImage(m + QPoint(488, 14), lib.at(QStringLiteral("dlg_close_button")));
    label(p, QRect(m + QPoint(70, 70), QSize(411, 16)), QStringLiteral("Manage ringtones on your iPhone."),
          Qt::AlignLeft, Qt::black);
    p.fillRect(QRect(m + QPoint(60, 100), QSize(171, 241)), Qt::white);
    label(p, QRect(m + QPoint(64, 102), QSize(160, 18)), QStringLiteral("Morning Bell"), Qt::AlignLeft, Qt::black,
          body);
    label(p, QRect(m + QPoint(260, 120), QSize(61, 20)), QStringLiteral("Name :"), Qt::AlignRight | Qt::AlignVCenter,
          Qt::black);
    p.fillRect(QRect(m + QPoint(340, 120), QSize(141, 20)), Qt::white);
    const char *buttons[][4] = {{"260", "150", "button", "Rename"},     {"260", "200", "button_hover", "Remove"},
                                {"260", "250", "button_down", "Save To PC"}, {"260", "300", "button", "Replace"},
                                {"380", "300", "button", "Add To iPhone"}};
    for (const auto &b : buttons)
        button(p, lib, QRect(m + QPoint(QByteArray(b[0]).toInt(), QByteArray(b[1]).toInt()), QSize(88, 29)),
               QLatin1String(b[2]), QLatin1String(b[3]), Qt::black);

    // Everything else in rows, each on a dark and a light swatch.
    std::vector<const Picture *> small;
    for (const Picture &pic : all)
        if (pic.image.width() <= 129 && pic.image.height() <= 129)
            small.push_back(&pic);
    int x = 20, y = 430, rowH = 0;
    const QFont caption = font(9, QFont::Normal);
    for (const Picture *pic : small) {
        const QSize s = pic->image.size() * 2;
        const int cellW = std::max(s.width() + 8, 96);
        if (x + cellW > sheet.width() - 20) {
            x = 20;
            y += rowH + 22;
            rowH = 0;
        }
        p.fillRect(QRect(x, y, cellW, s.height() + 8), QColor(12, 40, 80));
        p.drawImage(QRect(QPoint(x + 4, y + 4), s), pic->image);
        label(p, QRect(x, y + s.height() + 8, cellW, 14), pic->name, Qt::AlignLeft, QColor(220, 220, 220), caption);
        x += cellW + 8;
        rowH = std::max(rowH, s.height() + 8);
    }
    p.drawImage(20, y + rowH + 24, lib.at(QStringLiteral("left_fore")));
    p.drawImage(50, y + rowH + 24, lib.at(QStringLiteral("left_back")));
    p.drawImage(80, y + rowH + 24, lib.at(QStringLiteral("right_fore")));
    p.drawImage(110, y + rowH + 24, lib.at(QStringLiteral("right_back")));
    p.drawImage(150, y + rowH + 24, lib.at(QStringLiteral("tonquill")));
    p.drawImage(420, y + rowH + 24, lib.at(QStringLiteral("tonquill-48")));
    p.drawImage(480, y + rowH + 24, lib.at(QStringLiteral("disc")));
    return sheet;
}

} // namespace skin
