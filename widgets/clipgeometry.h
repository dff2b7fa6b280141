#pragma once

#include <QImage>

// Pixel/time arithmetic of the timeline, free of widget state so that every
// rounding and stop can be checked on its own. Columns count from the
// widget's left edge; times are seconds.
namespace ClipGeometry {

// Columns are held far inside int so that the hit-zone and drag arithmetic
// (x + 2, max - min, W - 1 - D) can never overflow, whatever time or range
// arrives from outside.
inline constexpr int kColumnLimit = 1 << 24;

enum class Zone { Marker, LeftOfClip, StartHandle, Inside, EndHandle, RightOfClip };

// Where the clip ends and the next anchor column lie after one drag step.
struct DragStep
{
    int clipMinX;
    int clipMaxX;
    int anchorX;
};

// The time itself is scaled, not its distance from rangeMin: the range is
// taken to start at 0, which is how the main window always sets it. Every
// column is 0 unless rangeMin < rangeMax; NaN and out-of-range results give 0
// or the nearest column limit.
int columnForSeconds(double seconds, double rangeMin, double rangeMax, int width);

// The time a column stands for. Carries no range guard of its own (a
// degenerate range gives 0); callers must make sure width > 0. A range that
// is not finite gives 0 rather than NaN or infinity.
double secondsForColumn(int x, double rangeMin, double rangeMax, int width);

// Pointer column clamped to the widget, 0 .. width - 1 (0 when empty).
int clampColumn(int x, int width);

// The first zone that matches wins, so the marker beats a handle lying under
// it and the start handle beats the end handle when the two coincide.
Zone zoneAt(int x, int posX, int clipMinX, int clipMaxX);

// One drag step for each handle; x is the pointer
// column already clamped to the widget.
DragStep dragClipStart(int clipMinX, int clipMaxX, int anchorX, int x);
DragStep dragClipEnd(int clipMinX, int clipMaxX, int anchorX, int x, int width);

// The clip is kept in whole milliseconds, the unit the time editors show, so
// that the editors, the length label and the encoded clip always agree.
double wholeMilliseconds(double seconds);
// Whole milliseconds at or below seconds: the latest clip end inside a range
// ending at seconds.
double floorMilliseconds(double seconds);

// The start of a clip of the given length whose body was pressed at
// pressStart and has been dragged dx columns since: whole milliseconds, with
// the whole clip inside the range and its length unchanged.
double movedClipStart(double pressStart, double length, int dx, double rangeMin, double rangeMax,
                      int width);

// The same for a move of `seconds` (a zoomed timeline's columns stand for
// less time than the whole range's).
double movedClipStartBy(double pressStart, double length, double seconds, double rangeMin, double rangeMax);

// The time a handle dragged to column x stands for, in whole milliseconds.
// The first and the last column reach the ends of the range, which a plain
// column cannot (the last one stands for one column's time short of it).
double handleSeconds(int x, double rangeMin, double rangeMax, int width);

// Width of the clip overlay: never narrower than 2 columns, so an empty clip
// stays visible.
int overlayWidth(int clipMinX, int clipMaxX);

// Columns first .. first + count - 1 of the clip overlay of width x height: a
// 2-pixel opaque frame (0xFF8D2252) around a three-quarter-opaque inside
// (0xC0CD3B8C), non-premultiplied. Only the visible part is ever built,
// because a clip that lies outside the range may span millions of columns.
// count < 0 means up to the right end. Empty sizes give a null image.
QImage clipOverlayImage(int width, int height, int first = 0, int count = -1);

} // namespace ClipGeometry
