#include "clipgeometry.h"

#include <algorithm>
#include <cmath>

namespace ClipGeometry {

namespace {
constexpr QRgb kFrameColour = 0xFF8D2252;
constexpr QRgb kInsideColour = 0xC0CD3B8C;

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
    if (posX - 2 < x && x < posX + 2)
        return Zone::Marker;
    if (x < clipMinX - 2)
        return Zone::LeftOfClip;
    if (x <= clipMinX)
        return Zone::StartHandle;
    if (x < clipMaxX)
        return Zone::Inside;
    if (x <= clipMaxX + 2)
        return Zone::EndHandle;
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

int overlayWidth(int clipMinX, int clipMaxX)
{
    return std::max(2, clipMaxX - clipMinX);
}

QImage clipOverlayImage(int width, int height, int first, int count)
{
    first = std::max(0, first);
    if (count < 0 || count > width - first)
        count = width - first;
    if (count <= 0 || height <= 0)
        return {};

    QImage image(count, height, QImage::Format_ARGB32);
    image.fill(kFrameColour);
    // The inside in overlay columns is 2 .. width - 3; shift it into the
    // part being built.
    const int insideLeft = std::max(2, first) - first;
    const int insideRight = std::min(width - 2, first + count) - first;
    for (int y = 2; y < height - 2; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = insideLeft; x < insideRight; ++x)
            line[x] = kInsideColour;
    }
    return image;
}

} // namespace ClipGeometry
