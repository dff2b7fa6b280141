#pragma once

#include "timelineview.h"

#include <QRect>
#include <QRgb>

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

// Columns on either side of a handle's edge that grab it, whatever the clip's
// width: a clip narrower than a column (ten seconds of a long film) must
// still be grabbable at both ends.
inline constexpr int kHandleReach = 4;

// Handles come first, so that a marker lying on a handle (as it does right
// after a file is loaded) never hides it. Where the two handles' zones meet,
// the columns are split halfway: the left part grabs the start, the right
// part the end. Then the marker's three columns, then the clip's body.
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

// A handle dragged in a zoomed view: the time it had at the press, moved by
// the dx columns the pointer has gone since, at the view of the press; x is
// the pointer's column (clamped to the widget). The edge columns reach the
// file's ends only where the view does. Whole milliseconds.
double draggedHandleSeconds(double pressSeconds, int dx, int x, const TimelineView::View &view, int width,
                            double rangeMin, double rangeMax);

// How far the keys may move a handle towards the other one: to the shortest
// clip, never past the other handle, and never back out of a clip that is
// already shorter (the handle then stays).
double latestKeyedStart(double clipMin, double clipMax, double shortest);
double earliestKeyedEnd(double clipMin, double clipMax, double shortest);

// Width of the clip overlay: never narrower than 2 columns, so an empty clip
// stays visible.
int overlayWidth(int clipMinX, int clipMaxX);

// The clip is drawn as a light wash over the waveform (which must stay
// readable: the help calls the clip "the lighter stretch"), framed by
// 2-pixel edges, with a grip on each handle.
inline constexpr QRgb kClipEdgeColour = 0xFFFF8AC8;
inline constexpr QRgb kClipWashColour = 0x38FFFFFF;
inline constexpr QRgb kGripGrooveColour = 0xFF7A1E4E;
inline constexpr int kGripWidth = 6;
inline constexpr int kGripHeight = 16;

// The grips, vertically centred on each handle, pulled inside the widget
// when a handle sits at either end of it. right is clipMinX + overlayWidth.
QRect startGripRect(int clipMinX, int width, int height);
QRect endGripRect(int right, int width, int height);

} // namespace ClipGeometry
