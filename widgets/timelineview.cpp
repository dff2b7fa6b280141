#include "timelineview.h"

#include <algorithm>
#include <cmath>

namespace TimelineView {

namespace {
// As the clip geometry's columns: far inside int whatever arrives.
constexpr double kColumnLimit = double(1 << 24);
// Rounding of the zoom arithmetic: a view this close to the file is it.
constexpr double kSlack = 1e-9;
} // namespace

View whole(double total)
{
    return {0.0, std::isfinite(total) ? std::max(total, 0.0) : 0.0};
}

bool isWhole(const View &view, double total)
{
    return view.start <= kSlack * std::max(1.0, total) && view.length >= total * (1.0 - kSlack);
}

double secondsAt(double x, const View &view, int width)
{
    if (width <= 0 || !(view.length > 0.0))
        return 0.0;
    return view.start + x * view.length / width;
}

double columnOf(double seconds, const View &view, int width)
{
    if (width <= 0 || !(view.length > 0.0))
        return 0.0;
    return (seconds - view.start) * width / view.length;
}

int columnFor(double seconds, const View &view, int width)
{
    const double column = std::floor(columnOf(seconds, view, width));
    if (std::isnan(column))
        return 0;
    return int(std::clamp(column, -kColumnLimit, kColumnLimit));
}

View clamped(View view, double total, int width)
{
    if (!(total > 0.0) || !std::isfinite(total) || width <= 0)
        return whole(total);
    const double finest = std::min(total, kFinestSecondsPerColumn * width);
    if (!std::isfinite(view.length) || !std::isfinite(view.start))
        return whole(total);
    view.length = std::clamp(view.length, finest, total);
    view.start = std::clamp(view.start, 0.0, total - view.length);
    return view;
}

View zoomedAt(const View &view, double x, double factor, double total, int width)
{
    if (!(factor > 0.0) || !std::isfinite(factor))
        return clamped(view, total, width);
    const double anchor = secondsAt(x, view, width);
    View next = view;
    const double finest = std::min(total, kFinestSecondsPerColumn * width);
    next.length = std::clamp(view.length / factor, finest, total);
    // The anchor keeps its column: its share of the width stays the same.
    const double share = width > 0 ? x / width : 0.0;
    next.start = anchor - share * next.length;
    return clamped(next, total, width);
}

View panned(const View &view, double seconds, double total, int width)
{
    View next = view;
    if (std::isfinite(seconds))
        next.start += seconds;
    return clamped(next, total, width);
}

View following(const View &view, double pos, double total, int width)
{
    if (!std::isfinite(pos) || (pos >= view.start && pos < view.end()) || isWhole(view, total))
        return view;
    View next = view;
    next.start = pos;
    return clamped(next, total, width);
}

} // namespace TimelineView
