#pragma once

// Where the main window's level bars and disc sit on its background, and how
// the progress value lights the bars. The window paints by these numbers and
// the skin generator draws the pictures to fit them, so they live here once.
// Header only, on Qt's value types: the generator links no window code.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>

namespace mainskin {

// A level bar is two pictures of one size, unlit ("_back") and lit ("_fore"),
// at one place on the window: the lit one is drawn over it from a row down.
struct LevelBar
{
    QPoint topLeft;
    QSize size;
};

inline constexpr LevelBar kLeftBar{QPoint(0, 82), QSize(26, 425)};
inline constexpr LevelBar kRightBar{QPoint(644, 208), QSize(27, 299)};

// The first lit row of each bar picture for the progress value v (0..100);
// every row from there to the picture's last is lit. Past 100 nothing more
// lights. Integer arithmetic: the pictures' segments are cut to these rows.
constexpr int leftBarFirstLitRow(int v)
{
    return std::max(0, (102 - v) * 4);
}

constexpr int rightBarFirstLitRow(int v)
{
    return std::max(0, 287 - (287 * v) / 100);
}

// The disc picture is scaled into this square and turns about this point
// (the housing on the background is drawn round the same point).
inline constexpr QRect kDiscRect(584, 0, 166, 166);
inline constexpr QPoint kDiscCentre(666, 82);

} // namespace mainskin
