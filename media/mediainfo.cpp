#include "mediainfo.h"

#include "avinput.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <string_view>

namespace {

// The probe runs on the window's thread: counting packets must never hold
// the window for long. A long file whose container states no length (FLAC
// of hours, a slow network share) is then measured in part and its length
// estimated; the waveform job, which decodes it all, gives the real one.
constexpr qint64 kMeasureMilliseconds = 250;

// The audio's length from its packets' timestamps, in seconds, for a
// container that states none (a FLAC written to a pipe has no total sample
// count, a WebM written live no Duration element); negative when the audio
// stream holds no packet at all. Where the time ran out first, the part read
// is scaled up by the bytes of the file still unread.
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
    // The bytes the counted packets span, from their file positions where the
    // demuxer gives them: reading ahead (the stream information already read
    // some packets) would otherwise skew the estimate.
    int64_t firstPos = -1;
    int64_t endPos = -1;
    const int64_t startPos = input.pb ? avio_tell(input.pb) : 0;
    QElapsedTimer timer;
    timer.start();
    bool complete = false;
    for (;;) {
        if (timer.hasExpired(kMeasureMilliseconds))
            break;
        if (av_read_frame(&input, packet.get()) < 0) {
            complete = true;
            break;
        }
        const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (packet->stream_index == index && pts != AV_NOPTS_VALUE) {
            first = first == AV_NOPTS_VALUE ? pts : std::min(first, pts);
            end = std::max(end == AV_NOPTS_VALUE ? pts : end, pts + std::max<int64_t>(packet->duration, 0));
            if (packet->pos >= 0) {
                firstPos = firstPos < 0 ? packet->pos : std::min(firstPos, packet->pos);
                endPos = std::max(endPos, packet->pos + packet->size);
            }
        }
        av_packet_unref(packet.get());
    }
    if (first == AV_NOPTS_VALUE) {
        error = av::fileError("Could not find audio in input file", in.path, AVERROR_STREAM_NOT_FOUND);
        return -1.0;
    }
    const double measured = double(end - first) * av_q2d(stream->time_base);
    if (complete || !input.pb)
        return measured;
    const int64_t begin = firstPos >= 0 && endPos > firstPos ? firstPos : startPos;
    const int64_t read = (firstPos >= 0 && endPos > firstPos ? endPos : avio_tell(input.pb)) - begin;
    const int64_t total = avio_size(input.pb) - begin;
    if (read <= 0 || total <= read)
        return measured;
    const double estimate = measured * double(total) / double(read);
    qDebug("%s: no length stated; %.1f s measured in %lld of %lld bytes, about %.1f s in all", in.path.c_str(),
           measured, static_cast<long long>(read), static_cast<long long>(total), estimate);
    return estimate;
}

// The streams as a phone's ringtone holds them: one AAC audio stream in the
// MP4 family's container, nothing beside it but cover pictures (which are
// tags, not video, to the phone).
bool holdsOnlyAacInMp4(const AVFormatContext &format)
{
    // One demuxer reads the whole family; its name lists them all.
    if (!format.iformat || std::string_view(format.iformat->name).find("mp4") == std::string_view::npos)
        return false;
    int audio = 0;
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        const AVStream &stream = *format.streams[i];
        if (stream.disposition & AV_DISPOSITION_ATTACHED_PIC)
            continue;
        if (stream.codecpar->codec_type != AVMEDIA_TYPE_AUDIO || stream.codecpar->codec_id != AV_CODEC_ID_AAC)
            return false;
        ++audio;
    }
    return audio == 1;
}

} // namespace

// libavformat registers its formats itself since 4.0; nothing to do once per
// process any more.
int CMediaInfo::open(const char *path)
{
    m_aacInMp4 = false;
    // libavformat would wait on a named pipe until a writer came, and read a
    // device or a pipe for ever: only regular files (or links to one) are
    // media files here.
    if (!path || !QFileInfo(QString::fromUtf8(path)).isFile()) {
        qDebug("Not a regular file: '%s'", path ? path : "");
        return AVERROR(EINVAL);
    }
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
    const bool aacInMp4 = holdsOnlyAacInMp4(*in.format);
    if (in.format->duration != AV_NOPTS_VALUE) {
        m_duration = double(in.format->duration) * 1e-6;
        m_aacInMp4 = aacInMp4;
        return 0;
    }
    const double measured = measureAudio(in, error);
    if (measured < 0.0) {
        qDebug("%s", error.c_str());
        return AVERROR_STREAM_NOT_FOUND;
    }
    m_duration = measured;
    m_aacInMp4 = aacInMp4;
    return 0;
}
