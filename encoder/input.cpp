#include "pipeline.h"

#include <cmath>

namespace tq {

namespace {

Error inputError(const char *operation, const Input &in, int errnum)
{
    return std::string(operation) + " input file '" + in.path + "' (" + av::err2str(errnum) + ")";
}

} // namespace

Error openInput(Input &in, const std::string &path)
{
    in.path = path;
    int ret = av::openInput(in.format, path.c_str());
    if (ret < 0)
        return inputError("Could not open", in, ret);
    ret = avformat_find_stream_info(in.format.get(), nullptr);
    if (ret < 0)
        return inputError("Could not read the streams of", in, ret);
    return {};
}

Error findAudioStream(Input &in)
{
    const int index = av_find_best_stream(in.format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (index < 0)
        return inputError("Could not find an audio stream in", in, index);
    in.stream = in.format->streams[index];
    // Discarded streams are skipped by the demuxer without reading their
    // data, which matters for the video of a large movie.
    for (unsigned i = 0; i < in.format->nb_streams; ++i) {
        if (static_cast<int>(i) != index)
            in.format->streams[i]->discard = AVDISCARD_ALL;
    }
    return {};
}

Error openDecoder(Input &in)
{
    const AVCodec *codec = avcodec_find_decoder(in.stream->codecpar->codec_id);
    if (!codec)
        return inputError("Could not find a decoder for the audio of", in, AVERROR_DECODER_NOT_FOUND);
    in.decoder.reset(avcodec_alloc_context3(codec));
    if (!in.decoder)
        return inputError("Could not allocate a decoder for", in, AVERROR(ENOMEM));
    int ret = avcodec_parameters_to_context(in.decoder.get(), in.stream->codecpar);
    if (ret < 0)
        return inputError("Could not set up the decoder for", in, ret);
    in.decoder->pkt_timebase = in.stream->time_base;
    ret = avcodec_open2(in.decoder.get(), codec, nullptr);
    if (ret < 0)
        return inputError("Could not open the audio decoder for", in, ret);
    if (in.decoder->sample_rate <= 0 || in.decoder->ch_layout.nb_channels <= 0)
        return inputError("Could not find the audio format of", in, AVERROR_INVALIDDATA);
    return {};
}

Error seekInput(Input &in, double startSeconds)
{
    const int64_t fileStart = in.format->start_time != AV_NOPTS_VALUE ? in.format->start_time : 0;
    const int64_t target = fileStart + std::llround(startSeconds * AV_TIME_BASE);
    in.originPts = av_rescale_q(target, AV_TIME_BASE_Q, in.stream->time_base);
    if (startSeconds <= 0.0)
        return {};

    // Land a little early: MP3's bit reservoir and the MDCT overlap of AAC
    // and Vorbis need the previous frames to decode the first wanted one
    // cleanly. The samples before the start are trimmed afterwards.
    constexpr int64_t preroll = AV_TIME_BASE / 4;
    const int64_t seekTo = std::max(fileStart, target - preroll);
    if (avformat_seek_file(in.format.get(), -1, INT64_MIN, seekTo, seekTo, 0) < 0) {
        // Not seekable (a pipe, a damaged index): decoding from the start
        // and trimming gives the same samples, only later.
        avformat_seek_file(in.format.get(), -1, INT64_MIN, fileStart, fileStart, 0);
    }
    return {};
}

int readPacket(Input &in, AVPacket *packet, Error &error)
{
    for (;;) {
        const int ret = av_read_frame(in.format.get(), packet);
        if (ret == AVERROR_EOF)
            return ret;
        if (ret < 0) {
            // A truncated file ends like any other; an I/O error does not.
            if (ret == AVERROR_INVALIDDATA && in.decodedAny)
                return AVERROR_EOF;
            error = inputError("Could not read", in, ret);
            return ret;
        }
        if (packet->stream_index == in.stream->index)
            return 0;
        av_packet_unref(packet);
    }
}

Error decode(Input &in, const AVPacket *packet, AVFrame *frame, const std::function<Error(AVFrame *)> &onFrame)
{
    int ret = avcodec_send_packet(in.decoder.get(), packet);
    // A damaged packet amid good ones is skipped and counted, as the ffmpeg
    // command line does; a stream of which nothing at all decodes is
    // reported when it ends. Only a lack of memory stops the job here.
    if (ret == AVERROR(ENOMEM))
        return inputError("Could not decode the audio of", in, ret);
    if (ret < 0 && ret != AVERROR_EOF) {
        ++in.packetsSkipped;
        return {};
    }
    for (;;) {
        ret = avcodec_receive_frame(in.decoder.get(), frame);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return {};
        if (ret == AVERROR(ENOMEM))
            return inputError("Could not decode the audio of", in, ret);
        if (ret < 0) {
            ++in.packetsSkipped;
            // Decoders that report a bad packet here have dropped it; the
            // next one is theirs to take.
            if (packet)
                return {};
            continue;
        }
        in.decodedAny = true;
        Error error = onFrame(frame);
        av_frame_unref(frame);
        if (!error.empty())
            return error;
    }
}

} // namespace tq
