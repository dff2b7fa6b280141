#pragma once

#include <QRect>

// Pixel/value arithmetic of the volume control. The track is 129 columns
// wide but the value scale divides by 129 too, so the rightmost column gives
// 198.45 rather than 200; the main window's volume formulas expect exactly
// that.
namespace VolumeGeometry {

inline constexpr int kTrackWidth = 129;
inline constexpr int kTrackTop = 2;
inline constexpr int kTrackHeight = 13;
// The plus sign turns to its boost colour from this value up.
inline constexpr double kBoostFrom = 101.0;

// Left column (W - 129) / 2 truncated toward zero, rows 2 .. 14.
QRect trackRect(int width);

// Thumb columns are held far inside int, so that the hit test (thumbX +- 2)
// and the painting (thumbX - track left) cannot overflow whatever value
// setPos() receives.
inline constexpr int kThumbLimit = 1 << 24;

// Column of the thumb centre; 0 unless rangeMin < rangeMax. The value is
// neither offset by rangeMin nor clamped to the track, so values outside the
// range land outside the track, at most kThumbLimit columns from 0. NaN gives 0.
int thumbForValue(double value, double rangeMin, double rangeMax, int width);

// Value of a thumb column: span x (1/129) x (thumbX - track left).
double valueForThumb(int thumbX, int trackLeft, double rangeMin, double rangeMax);

// Pointer column clamped to the track's columns. Before the first resize the
// track is the null rectangle (right = left - 1); that gives the left column.
int clampToTrack(int x, const QRect &track);

// Seven columns around the widget's centre hold the centre column.
int snapToCentre(int x, int width);

// Five columns centred on the thumb grab it.
bool hitsThumb(int x, int thumbX);

bool showsBoostPlus(double value);

// The highest value a drag reaches (the rightmost column, 198.45, emitted as
// 198: "5x"); keys and the plus sign stop there too.
inline constexpr double kHighest = 198.0;
// An arrow key moves by kKeyStep, Page Up/Down and a click on the minus or
// plus sign by kPageStep: from 100 that is 0.75x or 2x.
inline constexpr double kKeyStep = 5.0;
inline constexpr double kPageStep = 25.0;

// The value steps (negative: down) steps of the given size away, on that
// step's grid: a value between two grid lines first goes to the next line in
// the direction of travel. Kept within 0 .. kHighest, except that a value
// already beyond the end it moves towards stays as it is; NaN counts as 0.
double steppedValue(double value, double step, int steps);

// What a press at column x does: the minus sign and the plus sign lie
// outside the track (with the thumb's two columns of reach).
enum class PressZone { Minus, Track, Plus };
PressZone pressZoneAt(int x, const QRect &track);

// Truncation toward zero that stays defined for NaN (0) and values beyond
// int's range (clamped).
int truncatedInt(double value);

} // namespace VolumeGeometry
