#include "playerdsp.h"

#include <algorithm>
#include <cmath>

namespace player {

double sanitizeVolume(double requested, double current)
{
    if (std::isnan(requested))
        return current;
    return std::clamp(requested, 0.0, kMaxVolume);
}

int64_t applyGain(float *samples, int frames, int channels, double volume, int64_t fadeDone,
                  int64_t fadeTotal)
{
    for (int i = 0; i < frames; ++i) {
        double gain = volume;
        if (fadeDone < fadeTotal) {
            gain *= static_cast<double>(fadeDone) / static_cast<double>(fadeTotal);
            ++fadeDone;
        }
        float *frame = samples + static_cast<size_t>(i) * channels;
        for (int c = 0; c < channels; ++c)
            frame[c] = static_cast<float>(std::clamp(frame[c] * gain, -1.0, 1.0));
    }
    return fadeDone;
}

double heardPosition(const PlayClock &clock, double now)
{
    if (!clock.valid)
        return clock.sessionStart;
    const double heard = clock.firstPos - clock.latency + (now - clock.handedAt);
    return std::clamp(heard, clock.sessionStart, std::max(clock.sessionStart, clock.endPos));
}

} // namespace player
