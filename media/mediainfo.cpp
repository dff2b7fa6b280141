#include "mediainfo.h"

#include "avptr.h"

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
// count, a WebM written live no Duration element); negative when the file
// holds no audio packet at all.
double measureAudio(AVFormatContext &input)
{
    const int index = av_find_best_stream(&input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (index < 0)
        return -1.0;
    // Other streams are skipped without reading their data.
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        if (static_cast<int>(i) != index)
            input.streams[i]->discard = AVDISCARD_ALL;
    }
    const AVStream *stream = input.streams[index];
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
    if (first == AV_NOPTS_VALUE)
        return -1.0;
    return double(end - first) * av_q2d(stream->time_base);
}

} // namespace

// libavformat registers its formats itself since 4.0; nothing to do once per
// process any more.
int CMediaInfo::open(const char *path)
{
    av::InputFormatPtr input;
    int ret = av::openInput(input, path);
    if (ret < 0) {
        qDebug("Could not open input file '%s' (%s)", path, av::err2str(ret).c_str());
        return ret;
    }
    ret = avformat_find_stream_info(input.get(), nullptr);
    if (ret < 0) {
        qDebug("Could not find stream information of '%s' (%s)", path, av::err2str(ret).c_str());
        return ret;
    }
    if (input->duration != AV_NOPTS_VALUE) {
        m_duration = double(input->duration) * 1e-6;
        return 0;
    }
    const double measured = measureAudio(*input);
    if (measured < 0.0) {
        qDebug("Could not find audio in input file '%s' (%s)", path,
               av::err2str(AVERROR_STREAM_NOT_FOUND).c_str());
        return AVERROR_STREAM_NOT_FOUND;
    }
    m_duration = measured;
    return 0;
}
