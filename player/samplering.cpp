#include "samplering.h"

#include <algorithm>
#include <cstring>

namespace player {

void CSampleRing::reset(int capacityFrames, int channels)
{
    m_channels = std::max(channels, 1);
    m_capacity = std::max(capacityFrames, 0);
    m_data.assign(static_cast<size_t>(m_capacity) * m_channels, 0.0f);
    clear();
}

void CSampleRing::clear()
{
    m_readIndex = 0;
    m_size = 0;
}

int CSampleRing::write(const float *frames, int count)
{
    const int total = std::clamp(count, 0, space());
    int done = 0;
    while (done < total) {
        const int writeIndex = (m_readIndex + m_size) % m_capacity;
        const int chunk = std::min(total - done, m_capacity - writeIndex);
        std::memcpy(m_data.data() + static_cast<size_t>(writeIndex) * m_channels,
                    frames + static_cast<size_t>(done) * m_channels,
                    sizeof(float) * static_cast<size_t>(chunk) * m_channels);
        m_size += chunk;
        done += chunk;
    }
    return total;
}

int CSampleRing::read(float *frames, int count)
{
    const int total = std::clamp(count, 0, m_size);
    int done = 0;
    while (done < total) {
        const int chunk = std::min(total - done, m_capacity - m_readIndex);
        std::memcpy(frames + static_cast<size_t>(done) * m_channels,
                    m_data.data() + static_cast<size_t>(m_readIndex) * m_channels,
                    sizeof(float) * static_cast<size_t>(chunk) * m_channels);
        m_readIndex = (m_readIndex + chunk) % m_capacity;
        m_size -= chunk;
        done += chunk;
    }
    return total;
}

} // namespace player
