#include "pipeline.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tq {

namespace {

Error filterError(const char *operation, const Output &out, int errnum)
{
    return av::fileError(std::string(operation) + " output file", out.path, errnum);
}

std::string describe(const AVChannelLayout &layout)
{
    char text[128] = {};
    av_channel_layout_describe(&layout, text, sizeof text);
    return text;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

} // namespace

std::string limiterFilter(double ceiling)
{
    // Delay compensated, so that the cut stays where it was asked for; no
    // automatic levelling, which would change the loudness the user chose.
    return "alimiter=limit=" + number(ceiling) + ":attack=" + number(kLimiterAttackMs)
           + ":release=" + number(kLimiterReleaseMs) + ":level=disabled:latency=enabled";
}

std::string filterChain(const ChainParams &p)
{
    std::string chain;
    auto add = [&chain](const std::string &filter) {
        if (!chain.empty())
            chain += ',';
        chain += filter;
    };
    if (p.trimStart || p.trimEndPts >= 0) {
        std::string trim = "atrim=";
        if (p.trimStart)
            trim += "start_pts=0";
        if (p.trimEndPts >= 0)
            trim += std::string(p.trimStart ? ":" : "") + "end_pts=" + std::to_string(p.trimEndPts);
        add(trim);
    }
    // The resampler's up-mix puts a mono source's centre 3 dB down on each
    // side; a ringtone should not lose level against the preview, which
    // plays the one channel at full level on both.
    if (p.monoSource && p.channelLayout == "stereo")
        add("pan=stereo|c0=c0|c1=c0");
    const std::string target = "sample_rates=" + std::to_string(p.sampleRate) + ":channel_layouts=" + p.channelLayout;
    const bool gain = p.volume != 256;
    const bool fade = p.fadeInSeconds > 0.0;
    const bool fadeOut = p.fadeOutSeconds > 0.0;
    if (gain || fade || fadeOut) {
        // Gain and fade after the down-mix and the rate change: a 5.1 input
        // at 96 kHz then costs no more than a stereo one at 44.1 kHz.
        add("aformat=" + target);
        if (gain)
            add("volume=volume=" + std::to_string(p.volume) + "/256");
        if (fade)
            add("afade=t=in:st=0:d=" + number(p.fadeInSeconds));
        if (fadeOut)
            add("afade=t=out:st=" + number(p.fadeOutStart) + ":d=" + number(p.fadeOutSeconds));
        // A boost would clip its peaks: a look-ahead limiter lowers the
        // gain smoothly just before them instead, and leaves everything
        // that stays below its ceiling as it is. The preview limits alike.
        if (p.volume > 256)
            add(limiterFilter(p.limiterCeiling));
    }
    add("aformat=sample_fmts=" + p.sampleFormat + ":" + target);
    return chain;
}

namespace {

// One graph for one decoded format: the chain ends in the encoder's format,
// so what comes out never changes, whatever goes in.
Error configureGraph(Filters &filters, const AVFrame &format, const Output &out)
{
    const EncoderOptions &options = *filters.options;
    const AVCodecContext &enc = *out.encoder;
    filters.graph.reset(avfilter_graph_alloc());
    filters.source = nullptr;
    filters.sink = nullptr;
    filters.inputClosed = false;
    if (!filters.graph)
        return filterError("Could not set up the audio filters for", out, AVERROR(ENOMEM));
    // Audio filters here are cheap; a thread pool would cost more to start
    // than it saves.
    filters.graph->nb_threads = 1;

    filters.rate = format.sample_rate;
    filters.sampleFormat = format.format;
    filters.layout.assignNative(format.ch_layout);
    const std::string sourceArgs = "time_base=1/" + std::to_string(filters.rate) + ":sample_rate="
                                   + std::to_string(filters.rate) + ":sample_fmt="
                                   + av_get_sample_fmt_name(static_cast<AVSampleFormat>(filters.sampleFormat))
                                   + ":channel_layout=" + filters.layout.describe();

    int ret = avfilter_graph_create_filter(&filters.source, avfilter_get_by_name("abuffer"), "in",
                                           sourceArgs.c_str(), nullptr, filters.graph.get());
    if (ret < 0)
        return filterError("Could not set up the audio filters for", out, ret);
    ret = avfilter_graph_create_filter(&filters.sink, avfilter_get_by_name("abuffersink"), "out", nullptr,
                                       nullptr, filters.graph.get());
    if (ret < 0)
        return filterError("Could not set up the audio filters for", out, ret);

    ChainParams params;
    params.trimStart = options.startSeconds > 0.0;
    if (options.durationSeconds) {
        filters.endPts = std::llround(*options.durationSeconds * filters.rate);
        params.trimEndPts = filters.endPts;
    }
    params.monoSource = filters.layout.get().nb_channels == 1;
    params.volume = options.volume;
    const AVCodecDescriptor *codec = avcodec_descriptor_get(enc.codec_id);
    if (options.limiterCeiling > 0.0)
        params.limiterCeiling = options.limiterCeiling;
    else if (codec && (codec->props & AV_CODEC_PROP_LOSSY))
        params.limiterCeiling = kLossyLimiterCeiling;
    params.fadeInSeconds = options.fadeInSeconds;
    // The fade-out ends with the clip; longer than the clip, it starts with it.
    if (options.durationSeconds && options.fadeOutSeconds > 0.0) {
        params.fadeOutSeconds = std::min(options.fadeOutSeconds, *options.durationSeconds);
        params.fadeOutStart = *options.durationSeconds - params.fadeOutSeconds;
    }
    params.sampleRate = enc.sample_rate;
    params.channelLayout = describe(enc.ch_layout);
    params.sampleFormat = av_get_sample_fmt_name(enc.sample_fmt);
    const std::string chain = filterChain(params);

    // The parser's names are from the chain's point of view: its open
    // input is fed by our source's output, and the other way round.
    av::FilterInOutPtr outputs(avfilter_inout_alloc());
    av::FilterInOutPtr inputs(avfilter_inout_alloc());
    if (!outputs || !inputs)
        return filterError("Could not set up the audio filters for", out, AVERROR(ENOMEM));
    outputs->name = av_strdup("in");
    outputs->filter_ctx = filters.source;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = filters.sink;
    AVFilterInOut *rawInputs = inputs.release();
    AVFilterInOut *rawOutputs = outputs.release();
    ret = avfilter_graph_parse_ptr(filters.graph.get(), chain.c_str(), &rawInputs, &rawOutputs, nullptr);
    inputs.reset(rawInputs);
    outputs.reset(rawOutputs);
    if (ret < 0)
        return filterError("Could not set up the audio filters for", out, ret);
    ret = avfilter_graph_config(filters.graph.get(), nullptr);
    if (ret < 0)
        return filterError("Could not set up the audio filters for", out, ret);
    return {};
}

} // namespace

Error buildFilterGraph(Filters &filters, const EncoderOptions &options, const Input &in, const Output &out)
{
    const AVCodecContext &dec = *in.decoder;
    filters.options = &options;
    av::FramePtr format = av::makeFrame();
    if (!format)
        return filterError("Could not set up the audio filters for", out, AVERROR(ENOMEM));
    format->sample_rate = dec.sample_rate;
    format->format = dec.sample_fmt;
    const int ret = av_channel_layout_copy(&format->ch_layout, &dec.ch_layout);
    if (ret < 0)
        return filterError("Could not set up the audio filters for", out, ret);
    return configureGraph(filters, *format, out);
}

bool formatChanged(const Filters &filters, const AVFrame &frame)
{
    if (filters.inputClosed)
        return false;
    av::ChannelLayout layout;
    layout.assignNative(frame.ch_layout);
    return frame.sample_rate != filters.rate || frame.format != filters.sampleFormat
           || av_channel_layout_compare(&layout.get(), &filters.layout.get()) != 0;
}

Error rebuildFilterGraph(Filters &filters, const AVFrame &format, const Output &out)
{
    const int oldRate = filters.rate;
    Error error = configureGraph(filters, format, out);
    // The count of samples goes on at the new rate, so that the cut and the
    // fade carry on where they were.
    if (error.empty() && oldRate > 0)
        filters.nextPts = av_rescale(filters.nextPts, filters.rate, oldRate);
    return error;
}

Error filter(Filters &filters, const Input &in, AVFrame *frame, const Output &out)
{
    if (filters.inputClosed)
        return {};
    if (!frame) {
        filters.inputClosed = true;
        const int ret = av_buffersrc_add_frame(filters.source, nullptr);
        return ret < 0 ? filterError("Could not filter the audio for", out, ret) : Error();
    }

    const int rate = filters.rate;
    // Only the first frame's timestamp places the stream on the output's
    // clock; from there on samples are counted, so that rounded container
    // timestamps (milliseconds in Matroska) cannot open gaps or overlaps.
    if (!filters.clockSet) {
        const int64_t pts = frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : frame->pts;
        if (pts != AV_NOPTS_VALUE)
            filters.nextPts = av_rescale_q(pts - in.originPts, in.stream->time_base, AVRational{1, rate});
        filters.clockSet = true;
    }
    frame->pts = filters.nextPts;
    filters.nextPts += frame->nb_samples;
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_copy(&frame->ch_layout, &filters.layout.get());

    int ret = av_buffersrc_add_frame(filters.source, frame);
    if (ret < 0 && ret != AVERROR_EOF)
        return filterError("Could not filter the audio for", out, ret);
    // Nothing after the end is wanted: close the input now instead of
    // reading on to the end of the file.
    if (ret == AVERROR_EOF || filters.nextPts >= filters.endPts) {
        filters.inputClosed = true;
        ret = av_buffersrc_add_frame(filters.source, nullptr);
        if (ret < 0 && ret != AVERROR_EOF)
            return filterError("Could not filter the audio for", out, ret);
    }
    return {};
}

Error pullFiltered(Filters &filters, const Output &out, AVFrame *scratch, const Deliver &deliver, bool &finished)
{
    for (;;) {
        const int ret = av_buffersink_get_frame(filters.sink, scratch);
        if (ret == AVERROR(EAGAIN))
            return {};
        if (ret == AVERROR_EOF) {
            finished = true;
            return {};
        }
        if (ret < 0)
            return filterError("Could not filter the audio for", out, ret);
        Error error = deliver(scratch);
        if (!error.empty())
            return error;
    }
}

} // namespace tq
