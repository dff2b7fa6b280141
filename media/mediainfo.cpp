#include "mediainfo.h"

#include "avinput.h"

#include <QDebug>
#include <QElapsedTimer>

#include <algorithm>

namespace {

// Reading packets costs no decoding: a file of an hour takes well under a
// second from a local disk. The bound only guards against slow network
// shares and endless streams.
constexpr qint64 kMeasureMilliseconds = 10000;

// The audio's length from its packets' timestamps, in seconds, for a
// container that states none (a FLAC written to a pipe has no total sample
// count, a WebM written live no Duration element); negative when the audio
// stream holds no packet at all.
double measureAudio(av::AudioInput &in, std::string &error)
{
    AVFormatContext &input = *in.format;
    const AVStream *stream = in.stream;
    const int index = stream->index;
    av::PacketPtr packet = av::makePacket();
    if (!packet)
        return -1.0;
    int64_t first = AV_NOPTS_VALUE;
    int64_t end = AV_NOPTS_VALUE;
    QElapsedTimer timer;
    timer.start();
    while (av_read_frame(&input, packet.get()) >= 0 && !timer.hasExpired(kMeasureMilliseconds)) {
        const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (packet->stream_index == index && pts != AV_NOPTS_VALUE) {
            first = first == AV_NOPTS_VALUE ? pts : std::min(first, pts);
            end = std::max(end == AV_NOPTS_VALUE ? pts : end, pts + std::max<int64_t>(packet->duration, 0));
        }
        av_packet_unref(packet.get());
    }
    if (first == AV_NOPTS_VALUE) {
        error = av::fileError("Could not find audio in input file", in.path, AVERROR_STREAM_NOT_FOUND);
        return -1.0;
    }
    return double(end - first) * av_q2d(stream->time_base);
}

} // namespace

// libavformat registers its formats itself since 4.0; nothing to do once per
// process any more.
int CMediaInfo::open(const char *path)
{
    av::AudioInput in;
    std::string error;
    int ret = av::openInputFile(in, path, error);
    if (ret < 0) {
        qDebug("%s", error.c_str());
        return ret;
    }
    // A file without sound (a silent video) is no input for a ringtone:
    // nothing could be played or encoded from it.
    ret = av::findAudioStream(in, error);
    if (ret < 0) {
        qDebug("%s", error.c_str());
        return ret;
    }
    if (in.format->duration != AV_NOPTS_VALUE) {
        m_duration = double(in.format->duration) * 1e-6;
        return 0;
    }
    const double measured = measureAudio(in, error);
    if (measured < 0.0) {
        qDebug("%s", error.c_str());
        return AVERROR_STREAM_NOT_FOUND;
    }
    m_duration = measured;
    return 0;
}
