#include "volumegeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace VolumeGeometry {

QRect trackRect(int width)
{
    const int left = (width - kTrackWidth) / 2;
    return QRect(left, kTrackTop, kTrackWidth, kTrackHeight);
}

int thumbForValue(double value, double rangeMin, double rangeMax, int width)
{
    if (!(rangeMin < rangeMax))
        return 0;
    // The track's left column is computed in integers first, as in trackRect.
    const int left = (width - kTrackWidth) / 2;
    return std::clamp(truncatedInt(kTrackWidth / (rangeMax - rangeMin) * value + left), -kThumbLimit, kThumbLimit);
}

double valueForThumb(int thumbX, int trackLeft, double rangeMin, double rangeMax)
{
    return (rangeMax - rangeMin) * (1.0 / kTrackWidth) * (thumbX - trackLeft);
}

int clampToTrack(int x, const QRect &track)
{
    // Not std::clamp: the null track has right < left.
    return std::max(track.left(), std::min(track.right(), x));
}

int snapToCentre(int x, int width)
{
    const int centre = width / 2;
    if (centre - 4 < x && x < centre + 4)
        return centre;
    return x;
}

bool hitsThumb(int x, int thumbX)
{
    return thumbX - 2 <= x && x <= thumbX + 2;
}

bool showsBoostPlus(double value)
{
    return !(value < kBoostFrom);
}

double steppedValue(double value, double step, int steps)
{
    if (std::isnan(value))
        value = 0.0;
    // A value set from outside beyond either end stays where it is rather
    // than jump back against the direction of travel.
    if (steps == 0 || !(step > 0) || (steps > 0 && value >= kHighest) || (steps < 0 && value <= 0.0))
        return value;
    value = std::clamp(value, 0.0, kHighest);
    // Within a hair of a grid line counts as on it, so that 100 steps to 105,
    // not to 100 again.
    const double grid = value / step;
    const double line = steps > 0 ? std::floor(grid + 1e-9) : std::ceil(grid - 1e-9);
    return std::clamp((line + steps) * step, 0.0, kHighest);
}

PressZone pressZoneAt(int x, const QRect &track)
{
    if (track.isNull())
        return PressZone::Track;
    if (x < track.left() - 2)
        return PressZone::Minus;
    if (x > track.right() + 2)
        return PressZone::Plus;
    return PressZone::Track;
}

int truncatedInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    return int(std::clamp(std::trunc(value), low, high));
}

} // namespace VolumeGeometry
