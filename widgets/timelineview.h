#pragma once

// Which stretch of the file the timeline shows, and the pixel/time mapping
// at that zoom: free of widget state so that every stop and rounding can be
// checked on its own. Columns count from the widget's left edge and may be
// fractional; times are seconds from the start of the file.
namespace TimelineView {

// `length` seconds from `start` spread over the widget's width.
struct View
{
    double start = 0.0;
    double length = 0.0;
    double end() const { return start + length; }
    bool operator==(const View &) const = default;
};

// The closest zoom: a column stands for 10 ms.
inline constexpr double kFinestSecondsPerColumn = 0.010;

// The whole file.
View whole(double total);
// Whether the view shows the whole file (up to rounding).
bool isWhole(const View &view, double total);

// Time under (fractional) column x, and the column a time falls in, as a
// fraction. Both give 0 for an empty view or widget.
double secondsAt(double x, const View &view, int width);
double columnOf(double seconds, const View &view, int width);
// The whole column a time falls in (rounded down), held far inside int.
int columnFor(double seconds, const View &view, int width);

// A view no longer than the file, no closer than the finest zoom (unless
// the file itself is shorter) and inside 0 .. total.
View clamped(View view, double total, int width);

// Zoomed in by factor (> 1 in, < 1 out) so that the time under column x
// stays under it, then clamped.
View zoomedAt(const View &view, double x, double factor, double total, int width);

// Moved by seconds (negative: towards the start), stopping at either end.
View panned(const View &view, double seconds, double total, int width);

// While playing: unchanged as long as pos is in view; once it leaves, the
// page that starts at it (or ends at the file's end).
View following(const View &view, double pos, double total, int width);

} // namespace TimelineView
