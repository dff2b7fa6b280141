#include "pipeline.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tq {

namespace fs = std::filesystem;

namespace {

Error outputError(const char *operation, const Output &out, int errnum)
{
    return av::fileError(std::string(operation) + " output file", out.path, errnum);
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

    AVFormatContext *raw = nullptr;
    int ret = avformat_alloc_output_context2(&raw, muxer, nullptr, out.path.c_str());
    if (ret < 0)
        return outputError("Could not create", out, ret);
    out.format.reset(raw);
    // Past 4 GiB (six and three-quarter hours of the waveform job's stereo)
    // RIFF's 32-bit sizes overflow: the muxer then writes RF64 instead. Below
    // that the file stays plain RIFF, with a JUNK chunk where ds64 would go.
    if (std::string(muxer->name) == "wav") {
        ret = av_opt_set(out.format->priv_data, "rf64", "auto", 0);
        if (ret < 0)
            return outputError("Could not set up", out, ret);
    }

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
    if (enc.frame_size > 0 && !(codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE)) {
        out.fifo.reset(av_audio_fifo_alloc(enc.sample_fmt, enc.ch_layout.nb_channels, 2 * enc.frame_size));
        out.chunk = av::makeFrame();
        if (!out.fifo || !out.chunk)
            return outputError("Could not allocate an encoder for", out, AVERROR(ENOMEM));
    }

    out.stream = avformat_new_stream(out.format.get(), nullptr);
    if (!out.stream)
        return outputError("Could not add the audio stream to", out, AVERROR(ENOMEM));
    out.stream->time_base = enc.time_base;
    ret = avcodec_parameters_from_context(out.stream->codecpar, &enc);
    if (ret < 0)
        return outputError("Could not add the audio stream to", out, ret);

    if (!(out.format->oformat->flags & AVFMT_NOFILE)) {
        out.file.setSynced(options.syncOutput);
        ret = out.file.createBeside(out.path);
        if (ret < 0)
            return outputError("Could not open", out, ret);
        out.format->pb = out.file.io();
        out.format->flags |= AVFMT_FLAG_CUSTOM_IO;
    }
    ret = avformat_write_header(out.format.get(), nullptr);
    if (ret < 0)
        return outputError("Could not write the header of", out, ret);
    return {};
}

namespace {

Error encodeFrame(Output &out, AVFrame *frame)
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

// The next whole frame from the FIFO, or at the end whatever is left.
Error encodeFromFifo(Output &out, bool ending)
{
    AVCodecContext &enc = *out.encoder;
    AVFrame *chunk = out.chunk.get();
    for (;;) {
        const int available = av_audio_fifo_size(out.fifo.get());
        if (available == 0 || (available < enc.frame_size && !ending))
            return {};
        chunk->nb_samples = std::min(available, enc.frame_size);
        chunk->format = enc.sample_fmt;
        chunk->sample_rate = enc.sample_rate;
        int ret = av_channel_layout_copy(&chunk->ch_layout, &enc.ch_layout);
        if (ret >= 0)
            ret = av_frame_get_buffer(chunk, 0);
        if (ret >= 0 && av_audio_fifo_read(out.fifo.get(), reinterpret_cast<void **>(chunk->data), chunk->nb_samples)
                            < chunk->nb_samples)
            ret = AVERROR(EIO);
        Error error = ret < 0 ? outputError("Could not encode the audio of", out, ret) : encodeFrame(out, chunk);
        av_frame_unref(chunk);
        if (!error.empty())
            return error;
    }
}

} // namespace

Error encode(Output &out, AVFrame *frame)
{
    if (!out.fifo)
        return encodeFrame(out, frame);
    if (frame) {
        const int written = av_audio_fifo_write(out.fifo.get(), reinterpret_cast<void **>(frame->extended_data),
                                                frame->nb_samples);
        if (written < frame->nb_samples)
            return outputError("Could not encode the audio of", out, written < 0 ? written : AVERROR(ENOMEM));
    }
    Error error = encodeFromFifo(out, !frame);
    return error.empty() && !frame ? encodeFrame(out, nullptr) : error;
}

bool wavSizesWritten(const unsigned char header[12], int64_t fileSize)
{
    if (std::memcmp(header + 8, "WAVE", 4) != 0)
        return false;
    if (std::memcmp(header, "RF64", 4) == 0)
        return true; // the real sizes are in ds64, which the muxer fills with them
    if (std::memcmp(header, "RIFF", 4) != 0)
        return false;
    const uint32_t riffSize = uint32_t(header[4]) | uint32_t(header[5]) << 8 | uint32_t(header[6]) << 16
                              | uint32_t(header[7]) << 24;
    return fileSize >= 8 && int64_t(riffSize) == fileSize - 8;
}

namespace {

// The WAV muxer reports success even where it could not write its sizes
// (a file past 4 GiB without RF64, a position it could not seek back to),
// leaving a header that tells the reader a wrong length: checked on the
// closed file itself.
Error checkWavHeader(const Output &out)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(utf8Path(out.file.path()), ec);
    std::ifstream file(utf8Path(out.file.path()), std::ios::binary);
    unsigned char header[12] = {};
    if (ec || !file.read(reinterpret_cast<char *>(header), sizeof header)
        || !wavSizesWritten(header, static_cast<int64_t>(size)))
        return outputError("Could not write the sizes into the header of", out, AVERROR(EIO));
    return {};
}

} // namespace

Error writeTrailer(Output &out)
{
    int ret = av_write_trailer(out.format.get());
    if (ret < 0)
        return outputError("Could not finish", out, ret);
    if (out.format->pb && out.format->pb->error < 0)
        return outputError("Could not finish", out, out.format->pb->error);
    // Buffered data reaches the disk only here; a full disk shows up now.
    out.format->pb = nullptr;
    ret = out.file.close();
    if (ret < 0)
        return outputError("Could not finish", out, ret);
    if (std::string(out.format->oformat->name) == "wav") {
        Error error = checkWavHeader(out);
        if (!error.empty())
            return error;
    }
    ret = out.file.commit(out.path);
    if (ret < 0)
        return outputError("Could not replace", out, ret);
    return {};
}

} // namespace tq
