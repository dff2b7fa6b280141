#pragma once

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

// Small pure pieces of the player: loudness and the "what is heard now"
// clock. Kept free of threads and devices so that they can be tested directly.
namespace player {

inline constexpr double kMaxVolume = 5.08;

// Clamps a requested volume factor into 0..kMaxVolume; NaN keeps `current`.
double sanitizeVolume(double requested, double current);

// Multiplies `frames` interleaved frames by `volume` and by a linear fade-in
// ramp that has already run for `fadeDone` of its `fadeTotal` frames.
// Returns the new fadeDone. Samples may leave full scale: CLimiter follows.
int64_t applyGain(float *samples, int frames, int channels, double volume, int64_t fadeDone,
                  int64_t fadeTotal);

// Multiplies `frames` interleaved frames, the first of which lies at file
// position `firstPos`, by a fade-out that falls linearly to silence over
// `length` seconds ending at file position `end`; everything from `end` on is
// silenced, so a clip preview ends exactly where the ringtone will.
void applyFadeOut(float *samples, int frames, int channels, double firstPos, int sampleRate,
                  double end, double length);

// A look-ahead peak limiter, the preview's twin of the encoder's: it delays
// the sound by its look-ahead and lowers the gain smoothly ahead of any peak
// that would pass the ceiling, then lets it recover over the release time.
// Sound that stays below the ceiling passes unchanged, only delayed.
//
// The gain applied to a sample is the average, over the look-ahead, of the
// lowest gain each of the look-ahead's windows needs; every one of those
// windows holds that sample, so the average never lets it pass the ceiling.
class CLimiter
{
public:
    static constexpr double kCeiling = 0.99;      // of full scale
    static constexpr double kLookaheadSeconds = 0.005;
    static constexpr double kReleaseSeconds = 0.05;

    void reset(int sampleRate, int channels);
    // Frames a sample spends inside; the output is that much later.
    int latencyFrames() const { return m_window - 1; }
    // In place, interleaved; reset() first.
    void process(float *samples, int frames);

private:
    int m_channels = 0;
    int m_window = 1;            // look-ahead in frames
    double m_release = 1.0;      // share of the way back to 1 per frame
    int64_t m_index = 0;         // frames seen
    std::vector<float> m_delay;  // (m_window - 1) frames, a ring
    std::deque<std::pair<int64_t, double>> m_minimum; // needed gains, rising
    std::vector<double> m_held;  // the last m_window window minima, a ring
    double m_heldSum = 0.0;
    double m_gain = 1.0;
};

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
