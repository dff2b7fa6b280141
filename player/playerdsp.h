#pragma once

#include <cstdint>

// Small pure pieces of the player: loudness and the "what is heard now"
// clock. Kept free of threads and devices so that they can be tested directly.
namespace player {

inline constexpr double kMaxVolume = 5.08;

// Clamps a requested volume factor into 0..kMaxVolume; NaN keeps `current`.
double sanitizeVolume(double requested, double current);

// Multiplies `frames` interleaved frames by `volume` and by a linear fade-in
// ramp that has already run for `fadeDone` of its `fadeTotal` frames, then
// clamps to full scale so that a boost saturates instead of wrapping once the
// device converts to integers. Returns the new fadeDone.
int64_t applyGain(float *samples, int frames, int channels, double volume, int64_t fadeDone,
                  int64_t fadeTotal);

// Bookkeeping of the last buffer handed to the output: the output plays the
// first sample of that buffer `latency` seconds after `handedAt`.
struct PlayClock
{
    bool valid = false;     // false until the first samples of a session were handed over
    double sessionStart = 0.0; // file position the session started at
    double firstPos = 0.0;  // file position of the first sample of the last buffer
    double endPos = 0.0;    // file position just past the last sample handed over
    double handedAt = 0.0;  // monotonic seconds when that buffer was handed over
    double latency = 0.0;   // seconds the output holds before a sample is heard
};

// File position heard at monotonic time `now`: never before the session's
// start (old sound still in the device belongs to no position of this
// session) and never past what was handed over (a stalled device).
double heardPosition(const PlayClock &clock, double now);

} // namespace player
