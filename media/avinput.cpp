#include "avinput.h"

#include <algorithm>

namespace av {

namespace {

constexpr int64_t kMinimumPreroll = AV_TIME_BASE / 4;

int fail(const AudioInput &in, const char *operation, int errnum, std::string &error)
{
    error = fileError(operation, in.path, errnum);
    return errnum;
}

} // namespace

std::string fileError(const std::string &operation, const std::string &path, int errnum)
{
    return operation + " '" + path + "' (" + err2str(errnum) + ")";
}

int openInputFile(AudioInput &in, const std::string &path, std::string &error, const AVIOInterruptCB *interrupt)
{
    in.path = path;
    int ret = openInput(in.format, path.c_str(), nullptr, interrupt);
    if (ret < 0)
        return fail(in, "Could not open input file", ret, error);
    ret = avformat_find_stream_info(in.format.get(), nullptr);
    if (ret < 0)
        return fail(in, "Could not read the streams of input file", ret, error);
    return 0;
}

int findAudioStream(AudioInput &in, std::string &error)
{
    const int index = av_find_best_stream(in.format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (index < 0)
        return fail(in, "Could not find an audio stream in input file", index, error);
    in.stream = in.format->streams[index];
    for (unsigned i = 0; i < in.format->nb_streams; ++i) {
        if (static_cast<int>(i) != index)
            in.format->streams[i]->discard = AVDISCARD_ALL;
    }
    return 0;
}

int openAudioDecoder(AudioInput &in, std::string &error)
{
    const AVCodec *codec = avcodec_find_decoder(in.stream->codecpar->codec_id);
    if (!codec)
        return fail(in, "Could not find a decoder for the audio of input file", AVERROR_DECODER_NOT_FOUND, error);
    in.decoder.reset(avcodec_alloc_context3(codec));
    if (!in.decoder)
        return fail(in, "Could not allocate a decoder for input file", AVERROR(ENOMEM), error);
    int ret = avcodec_parameters_to_context(in.decoder.get(), in.stream->codecpar);
    if (ret < 0)
        return fail(in, "Could not set up the decoder for input file", ret, error);
    in.decoder->pkt_timebase = in.stream->time_base;
    ret = avcodec_open2(in.decoder.get(), codec, nullptr);
    if (ret < 0)
        return fail(in, "Could not open the audio decoder for input file", ret, error);
    if (in.decoder->sample_rate <= 0 || in.decoder->ch_layout.nb_channels <= 0)
        return fail(in, "Could not find the audio format of input file", AVERROR_INVALIDDATA, error);
    return 0;
}

int openAudioInput(AudioInput &in, const std::string &path, std::string &error)
{
    int ret = openInputFile(in, path, error);
    if (ret >= 0)
        ret = findAudioStream(in, error);
    if (ret >= 0)
        ret = openAudioDecoder(in, error);
    return ret;
}

int64_t startTime(const AVFormatContext &format)
{
    return format.start_time != AV_NOPTS_VALUE ? format.start_time : 0;
}

int64_t seekPreroll(const AVStream &stream)
{
    const AVCodecParameters &codec = *stream.codecpar;
    if (codec.seek_preroll > 0 && codec.sample_rate > 0)
        return std::max(kMinimumPreroll, av_rescale(codec.seek_preroll, AV_TIME_BASE, codec.sample_rate));
    return kMinimumPreroll;
}

} // namespace av
