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
            frame[c] = static_cast<float>(frame[c] * gain);
    }
    return fadeDone;
}

void applyFadeOut(float *samples, int frames, int channels, double firstPos, int sampleRate,
                  double end, double length)
{
    const double fadeStart = end - std::max(length, 0.0);
    for (int i = 0; i < frames; ++i) {
        const double t = firstPos + static_cast<double>(i) / sampleRate;
        if (t < fadeStart)
            continue;
        const double gain = t >= end ? 0.0 : (end - t) / (end - fadeStart);
        float *frame = samples + static_cast<size_t>(i) * channels;
        for (int c = 0; c < channels; ++c)
            frame[c] = static_cast<float>(frame[c] * gain);
    }
}

void CLimiter::reset(int sampleRate, int channels)
{
    m_channels = channels;
    m_window = std::max(1, static_cast<int>(std::lround(kLookaheadSeconds * sampleRate)));
    m_release = 1.0 - std::exp(-1.0 / (kReleaseSeconds * sampleRate));
    m_index = 0;
    m_delay.assign(static_cast<size_t>(m_window - 1) * channels, 0.0f);
    m_minimum.clear();
    m_held.assign(static_cast<size_t>(m_window), 1.0);
    m_heldSum = m_window;
    m_gain = 1.0;
}

void CLimiter::process(float *samples, int frames)
{
    const int delayFrames = m_window - 1;
    for (int i = 0; i < frames; ++i, ++m_index) {
        float *frame = samples + static_cast<size_t>(i) * m_channels;
        double peak = 0.0;
        for (int c = 0; c < m_channels; ++c)
            peak = std::max(peak, static_cast<double>(std::fabs(frame[c])));
        const double needed = peak > kCeiling ? kCeiling / peak : 1.0;

        // The lowest gain needed over the last m_window frames.
        while (!m_minimum.empty() && m_minimum.back().second >= needed)
            m_minimum.pop_back();
        m_minimum.emplace_back(m_index, needed);
        while (m_minimum.front().first <= m_index - m_window)
            m_minimum.pop_front();
        const size_t slot = static_cast<size_t>(m_index % m_window);
        m_heldSum += m_minimum.front().second - m_held[slot];
        m_held[slot] = m_minimum.front().second;
        const double target = std::min(1.0, m_heldSum / m_window);
        // Down at once (the average already ramps over the look-ahead), back
        // up slowly.
        m_gain = target < m_gain ? target : m_gain + (target - m_gain) * m_release;

        // Swap the frame with the one that went in delayFrames earlier.
        if (delayFrames > 0) {
            float *delayed = m_delay.data() + static_cast<size_t>(m_index % delayFrames) * m_channels;
            for (int c = 0; c < m_channels; ++c)
                std::swap(frame[c], delayed[c]);
        }
        if (m_gain < 1.0) {
            for (int c = 0; c < m_channels; ++c)
                frame[c] = static_cast<float>(std::clamp(frame[c] * m_gain, -kCeiling, kCeiling));
        }
    }
}

double heardPosition(const PlayClock &clock, double now)
{
    if (!clock.valid)
        return clock.sessionStart;
    const double heard = clock.firstPos - clock.latency + (now - clock.handedAt);
    return std::clamp(heard, clock.sessionStart, std::max(clock.sessionStart, clock.endPos));
}

} // namespace player
