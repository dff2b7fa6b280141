#pragma once

// Ownership of libav* objects: every one lives in a std::unique_ptr whose
// deleter is the library's own free function. Shared by the media library,
// the encoder program and the preview player.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

#include <memory>
#include <string>

namespace av {

struct InputFormatDeleter
{
    // avformat_close_input wants the address of the pointer.
    void operator()(AVFormatContext *ctx) const { avformat_close_input(&ctx); }
};
struct OutputFormatDeleter
{
    // An output context owns its AVIOContext only once avio_open succeeded;
    // the caller closes that (avio_closep) before the context is freed.
    void operator()(AVFormatContext *ctx) const { avformat_free_context(ctx); }
};
struct CodecContextDeleter
{
    void operator()(AVCodecContext *ctx) const { avcodec_free_context(&ctx); }
};
struct FrameDeleter
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
struct PacketDeleter
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct FilterGraphDeleter
{
    void operator()(AVFilterGraph *graph) const { avfilter_graph_free(&graph); }
};
struct FilterInOutDeleter
{
    void operator()(AVFilterInOut *inout) const { avfilter_inout_free(&inout); }
};
struct SwrDeleter
{
    void operator()(SwrContext *swr) const { swr_free(&swr); }
};
struct AudioFifoDeleter
{
    void operator()(AVAudioFifo *fifo) const { av_audio_fifo_free(fifo); }
};

using InputFormatPtr = std::unique_ptr<AVFormatContext, InputFormatDeleter>;
using OutputFormatPtr = std::unique_ptr<AVFormatContext, OutputFormatDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using FilterGraphPtr = std::unique_ptr<AVFilterGraph, FilterGraphDeleter>;
using FilterInOutPtr = std::unique_ptr<AVFilterInOut, FilterInOutDeleter>;
using SwrPtr = std::unique_ptr<SwrContext, SwrDeleter>;
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AudioFifoDeleter>;

// Owns an AVChannelLayout: a custom order allocates a channel map that only
// av_channel_layout_uninit frees.
class ChannelLayout final
{
public:
    ChannelLayout() = default;
    ~ChannelLayout() { av_channel_layout_uninit(&m_layout); }
    ChannelLayout(const ChannelLayout &) = delete;
    ChannelLayout &operator=(const ChannelLayout &) = delete;

    void assign(const AVChannelLayout &other)
    {
        av_channel_layout_uninit(&m_layout);
        av_channel_layout_copy(&m_layout, &other);
    }
    // Copies other. Decoders of headerless or mask-less sources report only
    // a channel count; that becomes the default layout for the count (the
    // one ffmpeg guesses), so that it can be down- or up-mixed.
    void assignNative(const AVChannelLayout &other)
    {
        av_channel_layout_uninit(&m_layout);
        if (other.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_copy(&m_layout, &other) < 0)
            av_channel_layout_default(&m_layout, other.nb_channels);
    }
    const AVChannelLayout &get() const { return m_layout; }
    AVChannelLayout *ptr() { return &m_layout; }
    std::string describe() const
    {
        char text[128] = {};
        av_channel_layout_describe(&m_layout, text, sizeof text);
        return text;
    }

private:
    AVChannelLayout m_layout{};
};

inline FramePtr makeFrame() { return FramePtr(av_frame_alloc()); }
inline PacketPtr makePacket() { return PacketPtr(av_packet_alloc()); }

// av_err2str is a compound-literal macro that C++ cannot use.
inline std::string err2str(int errnum)
{
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    av_make_error_string(buffer, sizeof buffer, errnum);
    return buffer;
}

// Opens an input file. avformat_open_input frees the context itself on
// failure, so the raw pointer is only handed to the owner on success. An
// interrupt callback, when given, is asked by every blocking step from the
// open on (a read that a signal interrupted is then given up, not retried).
inline int openInput(InputFormatPtr &out, const char *url, AVDictionary **options = nullptr,
                     const AVIOInterruptCB *interrupt = nullptr)
{
    AVFormatContext *raw = nullptr;
    if (interrupt) {
        raw = avformat_alloc_context();
        if (!raw)
            return AVERROR(ENOMEM);
        raw->interrupt_callback = *interrupt;
    }
    const int ret = avformat_open_input(&raw, url, nullptr, options);
    if (ret >= 0)
        out.reset(raw);
    return ret;
}

} // namespace av
