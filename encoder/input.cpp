#include "pipeline.h"

#include <algorithm>
#include <cmath>

namespace tq {

namespace {

Error inputError(const char *operation, const Input &in, int errnum)
{
    return av::fileError(std::string(operation) + " input file", in.path, errnum);
}

int interruptWhenStopped(void *)
{
    return stopRequested() ? 1 : 0;
}

} // namespace

Error openInput(Input &in, const std::string &path)
{
    // A named pipe that nobody writes to blocks the open itself, and a slow
    // one every read: a stop signal interrupts the system call (its handler
    // does not restart them), and this tells libavformat not to try again.
    static const AVIOInterruptCB interrupt{&interruptWhenStopped, nullptr};
    Error error;
    av::openInputFile(in, path, error, &interrupt);
    return error;
}

Error findAudioStream(Input &in)
{
    Error error;
    av::findAudioStream(in, error);
    return error;
}

Error openDecoder(Input &in)
{
    Error error;
    av::openAudioDecoder(in, error);
    return error;
}

Error seekInput(Input &in, double startSeconds)
{
    const int64_t fileStart = av::startTime(*in.format);
    const int64_t target = fileStart + std::llround(startSeconds * AV_TIME_BASE);
    in.originPts = av_rescale_q(target, AV_TIME_BASE_Q, in.stream->time_base);
    if (startSeconds <= 0.0)
        return {};

    // Land a little early; the samples before the start are trimmed
    // afterwards.
    const int64_t seekTo = std::max(fileStart, target - av::seekPreroll(*in.stream));
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
