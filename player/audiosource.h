#pragma once

#include "avinput.h"

#include <memory>
#include <string>
#include <vector>

namespace player {

// The audio stream of one media file, decoded and converted to interleaved
// float at the output's rate and channel count. Owned and used by one thread
// at a time: the opener hands it to the decoding thread.
class CAudioSource final
{
public:
    enum class Result { Frames, End };

    // Opens the file and decodes its first frame to make sure that it plays.
    // Returns null and writes one line to stderr when it cannot.
    static std::unique_ptr<CAudioSource> open(const std::string &path, int outRate,
                                              int outChannels);

    CAudioSource(const CAudioSource &) = delete;
    CAudioSource &operator=(const CAudioSource &) = delete;

    // Positions the stream so that the next samples start exactly at
    // `seconds` from the start of the file (as avformat measures its
    // duration): seeks to a point at or before it and drops the excess.
    void seek(double seconds);

    // Appends the next converted frames to `out`. End means the stream is
    // exhausted (whatever was appended is the last of it).
    Result decodeNext(std::vector<float> &out);

private:
    CAudioSource() = default;

    int configureResampler(const AVFrame *frame);
    void readPacket();
    void convertFrame(const AVFrame *frame, std::vector<float> &out);
    void flushResampler(std::vector<float> &out);
    void appendAfterTarget(const float *samples, int frames, std::vector<float> &out);
    double frameSeconds(const AVFrame *frame) const;
    void reportError(const char *operation, int error) const;

    int m_outRate = 0;
    int m_outChannels = 0;

    av::AudioInput m_input;
    av::SwrPtr m_swr;
    av::FramePtr m_frame;
    av::PacketPtr m_packet;
    std::vector<float> m_converted;
    int64_t m_startTime = 0; // AV_TIME_BASE units, the container's start

    // What the resampler was configured for; a stream may change mid-way.
    int m_inRate = 0;
    int m_inFormat = -1;
    av::ChannelLayout m_inLayout;

    bool m_inputEnded = false;   // no more packets: the decoder is being drained
    bool m_decoderEnded = false;
    int m_failuresInRow = 0;     // a decoder that keeps failing ends the stream
    double m_target = 0.0;       // first wanted position after a seek
    bool m_timeKnown = false;    // m_outPos is anchored to a frame timestamp
    double m_outPos = 0.0;       // file position of the next converted sample
};

} // namespace player
