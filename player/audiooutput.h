#pragma once

#include <memory>

namespace player {

// Pulled by an output whenever it needs the next buffer, on the output's own
// thread. Must not block: the device plays silence while it waits.
class IAudioRenderer
{
public:
    virtual void render(float *samples, int frames) = 0;

protected:
    ~IAudioRenderer() = default;
};

// Where the samples go: the sound device through SDL, or, when there is no
// device, a clock that consumes them at real-time speed so that positions and
// state reports behave the same without sound.
class CAudioOutput
{
public:
    virtual ~CAudioOutput() = default;

    // The renderer must outlive the output. Falls back to the silent output
    // (with one line on stderr) when SDL has no device, or when the
    // environment variable TONQUILL_PLAYER_NULL_OUTPUT is set to anything but 0.
    static std::unique_ptr<CAudioOutput> create(IAudioRenderer *renderer);
    static std::unique_ptr<CAudioOutput> createSilent(IAudioRenderer *renderer);

    // An inactive output pulls nothing.
    virtual void setActive(bool active) = 0;

    virtual const char *kind() const = 0;
    int sampleRate() const { return m_sampleRate; }
    int channels() const { return m_channels; }
    // Seconds between handing a buffer over and hearing its first sample.
    double latency() const { return m_latency; }

protected:
    int m_sampleRate = 48000;
    int m_channels = 2;
    double m_latency = 0.0;
};

// TONQUILL_PLAYER_NULL_OUTPUT asks for the silent output (tests, benches).
bool silentOutputForced();

} // namespace player
