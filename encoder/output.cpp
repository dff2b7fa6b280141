#include "pipeline.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace tq {

namespace fs = std::filesystem;

namespace {

Error outputError(const char *operation, const Output &out, int errnum)
{
    return std::string(operation) + " output file '" + out.path + "' (" + av::err2str(errnum) + ")";
}

std::string lowerSuffix(const std::string &path)
{
    const std::u8string extension = utf8Path(path).extension().u8string();
    std::string suffix(extension.begin(), extension.end());
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix;
}

} // namespace

std::filesystem::path utf8Path(const std::string &path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

const AVOutputFormat *outputFormatFor(const std::string &outputPath)
{
    const std::string suffix = lowerSuffix(outputPath);
    // "ipod" rather than "mp4": it writes the M4A brand that the phone and
    // iTunes expect of a ringtone.
    if (suffix == ".m4a" || suffix == ".m4r")
        return av_guess_format("ipod", nullptr, nullptr);
    if (suffix == ".wav")
        return av_guess_format("wav", nullptr, nullptr);
    return av_guess_format(nullptr, outputPath.c_str(), nullptr);
}

TemporaryFile::~TemporaryFile()
{
    if (!m_path.empty()) {
        std::error_code ignored;
        fs::remove(utf8Path(m_path), ignored);
    }
}

void TemporaryFile::reserveBeside(const std::string &target)
{
    // Beside the target, so that the final rename stays on one file system
    // and is atomic; the time stamp keeps two runs apart.
    auto stamp = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::error_code ec;
    do {
        m_path = target + "." + std::to_string(stamp++ % 1000000007ULL) + ".part";
    } while (fs::exists(utf8Path(m_path), ec));
}

int TemporaryFile::commit(const std::string &target)
{
    std::error_code ec;
    // Replaces an existing target in one step, on Windows too.
    fs::rename(utf8Path(m_path), utf8Path(target), ec);
    if (ec)
        return ec.category() == std::generic_category() || ec.category() == std::system_category()
                   ? AVERROR(ec.default_error_condition().value())
                   : AVERROR(EIO);
    m_path.clear();
    return 0;
}

Output::~Output()
{
    // The context does not own its AVIOContext; close it before the
    // temporary file is removed (Windows cannot remove an open file).
    if (format && format->pb && !(format->oformat->flags & AVFMT_NOFILE))
        avio_closep(&format->pb);
}

Error openOutput(Output &out, const EncoderOptions &options, const AVCodecContext &decoder)
{
    out.path = options.outputPath;
    const AVOutputFormat *muxer = outputFormatFor(out.path);
    if (!muxer)
        return outputError("Could not find a format for", out, AVERROR_MUXER_NOT_FOUND);
    AVCodecID codecId = av_guess_codec(muxer, nullptr, out.path.c_str(), nullptr, AVMEDIA_TYPE_AUDIO);
    if (std::string(muxer->name) == "wav")
        codecId = AV_CODEC_ID_PCM_S16LE;
    const AVCodec *codec = codecId != AV_CODEC_ID_NONE ? avcodec_find_encoder(codecId) : nullptr;
    if (!codec)
        return outputError("Could not find an audio encoder for", out, AVERROR_ENCODER_NOT_FOUND);

    out.file.reserveBeside(out.path);
    AVFormatContext *raw = nullptr;
    int ret = avformat_alloc_output_context2(&raw, muxer, nullptr, out.file.path().c_str());
    if (ret < 0)
        return outputError("Could not create", out, ret);
    out.format.reset(raw);

    out.encoder.reset(avcodec_alloc_context3(codec));
    out.packet = av::makePacket();
    if (!out.encoder || !out.packet)
        return outputError("Could not allocate an encoder for", out, AVERROR(ENOMEM));
    AVCodecContext &enc = *out.encoder;
    enc.sample_rate = options.sampleRate > 0 ? options.sampleRate : decoder.sample_rate;
    const int channels = options.channels > 0 ? options.channels : decoder.ch_layout.nb_channels;
    av_channel_layout_default(&enc.ch_layout, channels);
    enc.sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : decoder.sample_fmt;
    enc.bit_rate = options.bitRate;
    enc.time_base = AVRational{1, enc.sample_rate};
    if (codecId == AV_CODEC_ID_AAC)
        enc.profile = FF_PROFILE_AAC_LOW;
    if (out.format->oformat->flags & AVFMT_GLOBALHEADER)
        enc.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    ret = avcodec_open2(&enc, codec, nullptr);
    if (ret < 0)
        return outputError("Could not open the audio encoder for", out, ret);

    out.stream = avformat_new_stream(out.format.get(), nullptr);
    if (!out.stream)
        return outputError("Could not add the audio stream to", out, AVERROR(ENOMEM));
    out.stream->time_base = enc.time_base;
    ret = avcodec_parameters_from_context(out.stream->codecpar, &enc);
    if (ret < 0)
        return outputError("Could not add the audio stream to", out, ret);

    if (!(out.format->oformat->flags & AVFMT_NOFILE)) {
        ret = avio_open(&out.format->pb, out.file.path().c_str(), AVIO_FLAG_WRITE);
        if (ret < 0)
            return outputError("Could not open", out, ret);
    }
    ret = avformat_write_header(out.format.get(), nullptr);
    if (ret < 0)
        return outputError("Could not write the header of", out, ret);
    return {};
}

Error encode(Output &out, AVFrame *frame)
{
    AVCodecContext &enc = *out.encoder;
    if (frame) {
        frame->pts = out.samplesEncoded;
        out.samplesEncoded += frame->nb_samples;
    }
    int ret = avcodec_send_frame(&enc, frame);
    if (ret < 0 && ret != AVERROR_EOF)
        return outputError("Could not encode the audio of", out, ret);
    AVPacket *packet = out.packet.get();
    for (;;) {
        ret = avcodec_receive_packet(&enc, packet);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return {};
        if (ret < 0)
            return outputError("Could not encode the audio of", out, ret);
        av_packet_rescale_ts(packet, enc.time_base, out.stream->time_base);
        packet->stream_index = out.stream->index;
        // Takes the packet's reference whatever it returns.
        ret = av_interleaved_write_frame(out.format.get(), packet);
        if (ret < 0)
            return outputError("Could not write", out, ret);
    }
}

Error writeTrailer(Output &out)
{
    int ret = av_write_trailer(out.format.get());
    if (ret < 0)
        return outputError("Could not finish", out, ret);
    // Buffered data reaches the disk only here; a full disk shows up now.
    if (out.format->pb && !(out.format->oformat->flags & AVFMT_NOFILE)) {
        avio_flush(out.format->pb);
        ret = out.format->pb->error;
        const int closed = avio_closep(&out.format->pb);
        if (ret >= 0)
            ret = closed;
        if (ret < 0)
            return outputError("Could not finish", out, ret);
    }
    ret = out.file.commit(out.path);
    if (ret < 0)
        return outputError("Could not replace", out, ret);
    return {};
}

} // namespace tq
