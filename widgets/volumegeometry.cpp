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

int truncatedInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    return int(std::clamp(std::trunc(value), low, high));
}

} // namespace VolumeGeometry
