#include "audiosource.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace player {

namespace {

// A decoder that fails this many times without producing a frame is treated
// as the end of the stream instead of spinning on a broken file.
constexpr int kMaxFailuresInRow = 500;

// Longest silence put in for audio that starts late; a larger gap means the
// timestamps are not to be trusted.
constexpr long long kMaxGapFrames(int rate)
{
    return rate;
}

} // namespace

std::unique_ptr<CAudioSource> CAudioSource::open(const std::string &path, int outRate,
                                                 int outChannels)
{
    std::unique_ptr<CAudioSource> source(new CAudioSource);
    source->m_outRate = outRate;
    source->m_outChannels = outChannels;
    source->m_frame = av::makeFrame();
    source->m_packet = av::makePacket();
    if (!source->m_frame || !source->m_packet)
        return nullptr;
    std::string error;
    if (av::openAudioInput(source->m_input, path, error) < 0) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return nullptr;
    }
    // Positions count from the container's start, like its duration does.
    source->m_startTime = av::startTime(*source->m_input.format);

    // A file whose header parses but whose audio does not decode must not
    // count as open: the window would show it as playing while nothing sounds.
    std::vector<float> probe;
    while (probe.empty() && source->decodeNext(probe) == Result::Frames) {
    }
    if (probe.empty()) {
        source->reportError("Could not decode the audio of input file", AVERROR_INVALIDDATA);
        return nullptr;
    }
    return source;
}

void CAudioSource::reportError(const char *operation, int error) const
{
    std::fprintf(stderr, "%s\n", av::fileError(operation, m_input.path, error).c_str());
}

int CAudioSource::configureResampler(const AVFrame *frame)
{
    av::ChannelLayout inLayout;
    inLayout.assignNative(frame->ch_layout);
    av::ChannelLayout outLayout;
    av_channel_layout_default(outLayout.ptr(), m_outChannels);

    SwrContext *raw = nullptr;
    int ret = swr_alloc_set_opts2(&raw, outLayout.ptr(), AV_SAMPLE_FMT_FLT, m_outRate, inLayout.ptr(),
                                  static_cast<AVSampleFormat>(frame->format), frame->sample_rate,
                                  0, nullptr);
    m_swr.reset(raw);
    if (ret >= 0 && inLayout.get().nb_channels == 1) {
        // A mono file sounds on every speaker at its own level, as a player
        // that hands mono to the device would play it; swresample's default
        // upmix would lower it by 3 dB.
        const std::vector<double> matrix(static_cast<size_t>(m_outChannels), 1.0);
        ret = swr_set_matrix(m_swr.get(), matrix.data(), 1);
    }
    if (ret >= 0)
        ret = swr_init(m_swr.get());
    if (ret < 0) {
        m_swr.reset();
        m_inRate = 0;
        reportError("Could not set up the resampler for input file", ret);
        return ret;
    }
    m_inRate = frame->sample_rate;
    m_inFormat = frame->format;
    m_inLayout.assign(frame->ch_layout);
    return 0;
}

void CAudioSource::seek(double seconds)
{
    m_target = std::max(seconds, 0.0);
    const int64_t wanted = std::llround(m_target * AV_TIME_BASE);
    const int64_t target = std::max<int64_t>(wanted - av::seekPreroll(*m_input.stream), 0) + m_startTime;
    const int64_t ts = av_rescale_q(target, AV_TIME_BASE_Q, m_input.stream->time_base);
    // Land at or before the target; the samples before it are dropped after
    // decoding, which makes the seek sample-accurate on every format.
    int ret = avformat_seek_file(m_input.format.get(), m_input.stream->index, INT64_MIN, ts, ts, 0);
    if (ret < 0)
        ret = av_seek_frame(m_input.format.get(), m_input.stream->index, ts, AVSEEK_FLAG_BACKWARD);
    if (ret < 0)
        reportError("Could not seek in input file", ret);
    avcodec_flush_buffers(m_input.decoder.get());
    // The resampler holds samples of the old position; a fresh one is built
    // from the next frame.
    m_swr.reset();
    m_inRate = 0;
    m_inputEnded = false;
    m_decoderEnded = false;
    m_failuresInRow = 0;
    m_timeKnown = false;
}

void CAudioSource::readPacket()
{
    for (;;) {
        int ret = av_read_frame(m_input.format.get(), m_packet.get());
        if (ret < 0) {
            if (ret != AVERROR_EOF)
                reportError("Could not read input file", ret);
            m_inputEnded = true;
            avcodec_send_packet(m_input.decoder.get(), nullptr); // drain the decoder
            return;
        }
        if (m_packet->stream_index != m_input.stream->index) {
            av_packet_unref(m_packet.get());
            continue;
        }
        ret = avcodec_send_packet(m_input.decoder.get(), m_packet.get());
        av_packet_unref(m_packet.get());
        // A damaged packet is skipped: the rest of the file may still play.
        if (ret < 0 && ret != AVERROR(EAGAIN))
            ++m_failuresInRow;
        return;
    }
}

CAudioSource::Result CAudioSource::decodeNext(std::vector<float> &out)
{
    const size_t before = out.size();
    while (out.size() == before) {
        if (m_decoderEnded || m_failuresInRow > kMaxFailuresInRow) {
            flushResampler(out);
            return Result::End;
        }
        const int ret = avcodec_receive_frame(m_input.decoder.get(), m_frame.get());
        if (ret == 0) {
            m_failuresInRow = 0;
            convertFrame(m_frame.get(), out);
            av_frame_unref(m_frame.get());
        } else if (ret == AVERROR_EOF) {
            m_decoderEnded = true;
        } else if (ret != AVERROR(EAGAIN)) {
            ++m_failuresInRow;
        } else if (m_inputEnded) {
            m_decoderEnded = true;
        } else {
            readPacket();
        }
    }
    return Result::Frames;
}

double CAudioSource::frameSeconds(const AVFrame *frame) const
{
    if (frame->best_effort_timestamp == AV_NOPTS_VALUE)
        return NAN;
    return static_cast<double>(frame->best_effort_timestamp) * av_q2d(m_input.stream->time_base)
           - static_cast<double>(m_startTime) / AV_TIME_BASE;
}

void CAudioSource::convertFrame(const AVFrame *frame, std::vector<float> &out)
{
    if (!m_swr || frame->sample_rate != m_inRate || frame->format != m_inFormat
        || av_channel_layout_compare(&frame->ch_layout, &m_inLayout.get()) != 0) {
        if (configureResampler(frame) < 0)
            return;
    }
    if (!m_timeKnown) {
        // The resampler is fresh here, so its first output sample is the
        // first sample of this frame.
        const double seconds = frameSeconds(frame);
        m_outPos = std::isnan(seconds) ? m_target : seconds;
        m_timeKnown = true;
        // An audio stream may begin after the container does (a video's
        // sound): the gap is silence of the file, and leaving it out would
        // put every later position early by its length.
        const long long gap = std::llround((m_outPos - m_target) * m_outRate);
        if (gap > 0)
            out.insert(out.end(),
                       static_cast<size_t>(std::min<long long>(gap, kMaxGapFrames(m_outRate)))
                           * m_outChannels,
                       0.0f);
    }
    const int capacity = swr_get_out_samples(m_swr.get(), frame->nb_samples);
    if (capacity <= 0)
        return;
    m_converted.resize(static_cast<size_t>(capacity) * m_outChannels);
    uint8_t *planes[] = {reinterpret_cast<uint8_t *>(m_converted.data())};
    const int frames = swr_convert(m_swr.get(), planes, capacity,
                                   const_cast<const uint8_t **>(frame->extended_data),
                                   frame->nb_samples);
    if (frames > 0)
        appendAfterTarget(m_converted.data(), frames, out);
}

void CAudioSource::flushResampler(std::vector<float> &out)
{
    if (!m_swr)
        return;
    const int capacity = swr_get_out_samples(m_swr.get(), 0);
    if (capacity <= 0)
        return;
    m_converted.resize(static_cast<size_t>(capacity) * m_outChannels);
    uint8_t *planes[] = {reinterpret_cast<uint8_t *>(m_converted.data())};
    const int frames = swr_convert(m_swr.get(), planes, capacity, nullptr, 0);
    if (frames > 0)
        appendAfterTarget(m_converted.data(), frames, out);
}

void CAudioSource::appendAfterTarget(const float *samples, int frames, std::vector<float> &out)
{
    int skip = 0;
    if (m_outPos < m_target)
        skip = static_cast<int>(
            std::clamp<long long>(std::llround((m_target - m_outPos) * m_outRate), 0, frames));
    out.insert(out.end(), samples + static_cast<size_t>(skip) * m_outChannels,
               samples + static_cast<size_t>(frames) * m_outChannels);
    m_outPos += static_cast<double>(frames) / m_outRate;
}

} // namespace player
