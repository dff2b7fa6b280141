#pragma once

#include <vector>

namespace player {

// Fixed-size FIFO of interleaved float frames between the decoding thread
// and the output. Not thread-safe: the engine guards it with its own mutex
// and keeps every call short (a copy, no allocation).
class CSampleRing final
{
public:
    void reset(int capacityFrames, int channels);
    void clear();

    int channels() const { return m_channels; }
    int capacity() const { return m_capacity; }
    int size() const { return m_size; }
    int space() const { return m_capacity - m_size; }

    // Both return the number of frames actually moved.
    int write(const float *frames, int count);
    int read(float *frames, int count);

private:
    std::vector<float> m_data;
    int m_channels = 0;
    int m_capacity = 0;
    int m_readIndex = 0;
    int m_size = 0;
};

} // namespace player
