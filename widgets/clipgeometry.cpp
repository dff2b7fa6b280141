#include "clipgeometry.h"

#include <algorithm>
#include <cmath>

namespace ClipGeometry {

namespace {
int boundedColumn(double column)
{
    if (std::isnan(column))
        return 0;
    return int(std::clamp(column, double(-kColumnLimit), double(kColumnLimit)));
}
} // namespace

int columnForSeconds(double seconds, double rangeMin, double rangeMax, int width)
{
    if (!(rangeMin < rangeMax))
        return 0;
    const double scale = width / (rangeMax - rangeMin);
    return boundedColumn(std::trunc(scale * seconds));
}

double secondsForColumn(int x, double rangeMin, double rangeMax, int width)
{
    const double seconds = (rangeMax - rangeMin) / width * x;
    return std::isfinite(seconds) ? seconds : 0.0;
}

int clampColumn(int x, int width)
{
    return std::max(0, std::min(width - 1, x));
}

Zone zoneAt(int x, int posX, int clipMinX, int clipMaxX)
{
    // Widened to 64 bits: columns are bounded, but the sums below must not
    // wrap for any int a caller passes.
    const qint64 lo = std::min(clipMinX, clipMaxX);
    const qint64 hi = std::max(clipMinX, clipMaxX);
    const qint64 mid = lo + (hi - lo) / 2;
    const qint64 px = x;
    if (lo - kHandleReach <= px && px <= std::min(lo + kHandleReach, mid))
        return Zone::StartHandle;
    if (std::max(hi - kHandleReach, mid + 1) <= px && px <= hi + kHandleReach)
        return Zone::EndHandle;
    if (qint64(posX) - 2 < px && px < qint64(posX) + 2)
        return Zone::Marker;
    if (px < lo)
        return Zone::LeftOfClip;
    if (px < hi)
        return Zone::Inside;
    return Zone::RightOfClip;
}

DragStep dragClipStart(int clipMinX, int clipMaxX, int anchorX, int x)
{
    x = std::min(x, clipMaxX);
    clipMinX += x - anchorX;
    if (clipMinX < 0)
        clipMinX = 0;
    else if (clipMinX > clipMaxX)
        clipMinX = clipMaxX;
    return {clipMinX, clipMaxX, x};
}

DragStep dragClipEnd(int clipMinX, int clipMaxX, int anchorX, int x, int width)
{
    x = std::max(x, clipMinX);
    clipMaxX += x - anchorX;
    if (clipMaxX < clipMinX)
        clipMaxX = clipMinX;
    else if (clipMaxX > width - 1)
        clipMaxX = width - 1;
    return {clipMinX, clipMaxX, x};
}

double wholeMilliseconds(double seconds)
{
    return std::isfinite(seconds) ? std::round(seconds * 1000.0) / 1000.0 : 0.0;
}

double floorMilliseconds(double seconds)
{
    // The small allowance keeps 4.7 at 4.700 although 4.7 * 1000 is 4699.99...
    return std::isfinite(seconds) ? std::floor(seconds * 1000.0 + 1e-6) / 1000.0 : 0.0;
}

double movedClipStart(double pressStart, double length, int dx, double rangeMin, double rangeMax,
                      int width)
{
    if (!(rangeMin < rangeMax) || width <= 0 || !std::isfinite(rangeMax - rangeMin))
        return pressStart;
    return movedClipStartBy(pressStart, length, (rangeMax - rangeMin) / width * dx, rangeMin, rangeMax);
}

double movedClipStartBy(double pressStart, double length, double seconds, double rangeMin, double rangeMax)
{
    if (!(rangeMin < rangeMax) || !std::isfinite(rangeMax - rangeMin) || !std::isfinite(seconds))
        return pressStart;
    const double lowest = std::ceil(rangeMin * 1000.0 - 1e-6) / 1000.0;
    const double highest = std::max(lowest, floorMilliseconds(rangeMax - length));
    const double start = wholeMilliseconds(pressStart + seconds);
    return std::clamp(start, lowest, highest);
}

double handleSeconds(int x, double rangeMin, double rangeMax, int width)
{
    if (width <= 0 || x <= 0)
        return wholeMilliseconds(rangeMin);
    if (x >= width - 1)
        return floorMilliseconds(rangeMax);
    return wholeMilliseconds(secondsForColumn(x, rangeMin, rangeMax, width));
}

double draggedHandleSeconds(double pressSeconds, int dx, int x, const TimelineView::View &view, int width,
                            double rangeMin, double rangeMax)
{
    if (width <= 0 || !(rangeMin < rangeMax) || !std::isfinite(rangeMax - rangeMin))
        return pressSeconds;
    if (x <= 0 && view.start <= 0.0)
        return wholeMilliseconds(rangeMin);
    if (x >= width - 1 && view.end() >= rangeMax - rangeMin)
        return floorMilliseconds(rangeMax);
    return wholeMilliseconds(pressSeconds + dx * view.length / width);
}

double latestKeyedStart(double clipMin, double clipMax, double shortest)
{
    return std::max(clipMin, std::min(clipMax, wholeMilliseconds(clipMax - shortest)));
}

double earliestKeyedEnd(double clipMin, double clipMax, double shortest)
{
    return std::min(clipMax, std::max(clipMin, wholeMilliseconds(clipMin + shortest)));
}

int overlayWidth(int clipMinX, int clipMaxX)
{
    return std::max(2, clipMaxX - clipMinX);
}

namespace {
QRect gripAt(int left, int width, int height)
{
    left = std::max(0, std::min(left, width - kGripWidth));
    return QRect(left, (height - kGripHeight) / 2, kGripWidth, kGripHeight);
}
} // namespace

QRect startGripRect(int clipMinX, int width, int height)
{
    // Mostly outside the clip, so that the two grips of a very short clip
    // stand side by side.
    return gripAt(clipMinX - kGripWidth + 2, width, height);
}

QRect endGripRect(int right, int width, int height)
{
    return gripAt(right - 2, width, height);
}

} // namespace ClipGeometry
