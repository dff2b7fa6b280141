// The waveform job on every core. FFmpeg's MP3 and AAC decoders use one
// core each, and decoding is the whole cost of a WAV output, so the audio is
// cut into time segments, each decoded on a thread of its own and written at
// its own place in the file.
//
// The result must be the very file one thread writes. That holds because:
// - every thread reads the file from its start, so the demuxer hands it the
//   same packets with the same timestamps as the single run (no seek, whose
//   timestamps MP3 only estimates); reading without decoding costs little;
// - a thread starts decoding a pre-roll before its segment, by which point
//   the decoder's state (MP3's bit reservoir, the overlapping windows of AAC
//   and Vorbis) depends only on the packets, and drops what comes before;
// - only decoders whose state after a pre-roll depends on the packets alone
//   are split (see splitsCleanly);
// - a segment that is resampled starts and ends on a whole step of the
//   rates' ratio from the stream's first sample (160 samples at 48 kHz for
//   147 at 44.1 kHz), where the resampler's phase is the single run's; it is
//   fed a reach of samples before its start and after its end, so that the
//   filter taps of every sample it keeps see the single run's input. The
//   rest of the chain works sample by sample;
// - the single run counts samples where this one places them by their
//   timestamps: both agree only while the frames follow each other without
//   gap or overlap, which every thread checks, as it checks that the
//   segments meet exactly. Anything else (a damaged packet, a format change,
//   audio that ends early on a stream that does not say so) gives up, and
//   the caller runs the job again on one thread.
#include "pipeline.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <numeric>
#include <optional>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sched.h>
#endif

namespace tq {

namespace {

constexpr unsigned kMaximumSegments = 16;
constexpr auto kProgressInterval = std::chrono::milliseconds(500);
constexpr size_t kWriteBytes = 1 << 20;
// The resampler's filter spans some tens of input samples at the usual
// rates, and under 150 from 192 kHz down to 44.1 kHz.
constexpr int64_t kResamplerReach = 1024;
// The resampler's own limit for stepping through a ratio exactly.
constexpr int64_t kMaximumResamplerPhases = 1024;
// Sample positions beyond this (290 days at 44.1 kHz) are a crafted or
// broken header, not a recording: such a file is not split, which keeps
// every position sum below far from overflow.
constexpr int64_t kMaximumPosition = int64_t(1) << 40;

// Test hook: TQ_ENCODER_THREADS=1 forces the single-threaded run, so that
// the tests can compare both outputs; a larger number sets the thread count
// and lets short files be split too, so that the tests' seams are few
// seconds apart. When set, a split job also says so in one line before the
// last progress line; without it the output is the single run's, line for
// line.
const char *threadsHook()
{
    return std::getenv("TQ_ENCODER_THREADS");
}

// The cores this process may run on: a container or `taskset` gives it
// fewer than the machine has, and threads beyond those only wait.
unsigned usableCores()
{
#ifdef __linux__
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0)
            return static_cast<unsigned>(count);
    }
#endif
    return std::thread::hardware_concurrency();
}

unsigned allowedThreads()
{
    if (const char *forced = threadsHook()) {
        const long wanted = std::strtol(forced, nullptr, 10);
        if (wanted >= 1)
            return static_cast<unsigned>(std::min<long>(wanted, kMaximumSegments));
    }
    return std::max(1u, usableCores());
}

int64_t floorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// What the segments share. Input positions are at the decoder's rate, on
// the stream's clock; output positions at the encoder's rate, counted from
// the stream's first sample.
struct Job
{
    Job(const EncoderOptions &o, const Output &output)
        : options(o)
        , out(output)
    {
    }
    const EncoderOptions &options;
    const Output &out;
    int64_t dataStart = 0; // of the PCM in the file
    int frameBytes = 0;    // one sample of every channel, as written
    // stepIn input samples make exactly stepOut output samples; 1 and 1
    // without resampling.
    int64_t stepIn = 1;
    int64_t stepOut = 1;
    // Input samples fed to the resampler beyond each end of a segment: more
    // than its filter reaches, on a whole step. 0 without resampling.
    int64_t reach = 0;

    // A segment boundary: on a whole step from the origin.
    int64_t boundary(int64_t nominal, int64_t first) const
    {
        return first + floorDiv(nominal - first, stepIn) * stepIn;
    }
    // The output position of an input position on a whole step.
    int64_t outputAt(int64_t input, int64_t first) const { return (input - first) / stepIn * stepOut; }

    std::mutex mutex;
    std::condition_variable changed;
    // The stream's first sample, found by the first segment: the others
    // need it to know where they write.
    std::optional<int64_t> origin;
    bool originLost = false;
    unsigned running = 0;
    // Set by the first segment that gives up: the job then runs on one
    // thread, so the others stop at once instead of reading on.
    std::atomic<bool> givenUp{false};
};

struct Segment
{
    // Input samples, before they are put on a whole step of the origin.
    int64_t nominalBegin = INT64_MIN; // first sample wanted
    int64_t nominalEnd = INT64_MAX;   // first sample not wanted
    bool first = false;
    // Output samples, fixed once the origin is known.
    int64_t outBegin = 0;
    int64_t outEnd = INT64_MAX;

    std::atomic<int64_t> written{0}; // output samples, for the progress lines
    bool any = false;                // kept a sample
    int64_t firstKept = 0;           // output samples
    int64_t nextKept = 0;            // one past the last kept
    bool reachedEnd = false;         // decoded the stream to its end
    bool failed = false;
};

class SegmentDecoder final
{
public:
    // opened: the input already open, positioned at its start, or empty.
    SegmentDecoder(Job &job, Segment &segment, Input opened)
        : m_job(job)
        , m_segment(segment)
        , m_in(std::move(opened))
    {
    }

    void run()
    {
        if (!decodeAll()) {
            m_segment.failed = true;
            m_job.givenUp.store(true, std::memory_order_relaxed);
        }
        std::lock_guard lock(m_job.mutex);
        if (m_segment.first && !m_job.origin)
            m_job.originLost = true;
        --m_job.running;
        m_job.changed.notify_all();
    }

private:
    bool decodeAll()
    {
        if (!m_in.format
            && (!openInput(m_in, m_job.options.inputPath).empty() || !findAudioStream(m_in).empty()
                || !openDecoder(m_in).empty()))
            return false;
        m_packet = av::makePacket();
        m_decoded = av::makeFrame();
        m_filtered = av::makeFrame();
        if (!m_packet || !m_decoded || !m_filtered)
            return false;
        if (!buildFilterGraph(m_filters, m_job.options, m_in, m_job.out).empty())
            return false;
        const AVCodecContext &dec = *m_in.decoder;
        m_rate = dec.sample_rate;
        m_format = dec.sample_fmt;
        m_layout.assignNative(dec.ch_layout);
        int64_t decodeFrom = INT64_MIN;
        if (!m_segment.first) {
            // Where this segment starts depends on where the stream does,
            // which the first segment finds at its first frame.
            if (!waitForOrigin())
                return false;
            fixBounds(*m_origin);
            const int64_t preroll = av_rescale(av::seekPreroll(*m_in.stream), m_rate, AV_TIME_BASE);
            decodeFrom = m_feedFrom - preroll;
        }

        // Any failure only gives the segment up; the single run that follows
        // reports what is wrong with the file, so no text is made here.
        const auto onFrame = [this](AVFrame *frame) { return take(frame) ? Error() : Error("given up"); };
        bool decoding = m_segment.first;
        Error error;
        while (!m_done) {
            if (stopRequested() || m_job.givenUp.load(std::memory_order_relaxed))
                return false;
            const int ret = readPacket(m_in, m_packet.get(), error);
            if (ret == AVERROR_EOF) {
                if (!decode(m_in, nullptr, m_decoded.get(), onFrame).empty())
                    return false;
                m_segment.reachedEnd = true;
                break;
            }
            if (ret < 0)
                return false;
            if (!decoding) {
                // Packets before the pre-roll are only read, never decoded.
                const int64_t pts = m_packet->pts;
                if (pts == AV_NOPTS_VALUE)
                    return false;
                const int64_t at = av_rescale_q(pts + m_packet->duration, m_in.stream->time_base, {1, m_rate});
                decoding = at >= decodeFrom;
            }
            if (decoding && !decode(m_in, m_packet.get(), m_decoded.get(), onFrame).empty())
                return false;
            av_packet_unref(m_packet.get());
        }
        return !m_failed && filter(m_filters, m_in, nullptr, m_job.out).empty() && writeFiltered() && flush();
    }

    bool waitForOrigin()
    {
        std::unique_lock lock(m_job.mutex);
        m_job.changed.wait(lock, [this] {
            return m_job.origin || m_job.originLost || m_job.givenUp.load(std::memory_order_relaxed);
        });
        if (!m_job.origin)
            return false;
        m_origin = *m_job.origin;
        return true;
    }

    void fixBounds(int64_t first)
    {
        const int64_t begin = m_segment.first ? first : m_job.boundary(m_segment.nominalBegin, first);
        if (m_segment.nominalEnd != INT64_MAX) {
            m_end = m_job.boundary(m_segment.nominalEnd, first);
            m_segment.outEnd = m_job.outputAt(m_end, first);
        }
        m_segment.outBegin = m_job.outputAt(begin, first);
        m_feedFrom = m_segment.first ? first : begin - m_job.reach;
    }

    // One decoded frame: only decoded in the pre-roll, then filtered from
    // the resampler's reach before the segment to its reach after it.
    bool take(AVFrame *frame)
    {
        if (m_done)
            return true;
        av::ChannelLayout layout;
        layout.assignNative(frame->ch_layout);
        if (frame->sample_rate != m_rate || frame->format != m_format
            || av_channel_layout_compare(&layout.get(), &m_layout.get()) != 0)
            return fail();
        const int64_t ts = frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : frame->pts;
        int64_t at = m_expected;
        if (ts != AV_NOPTS_VALUE) {
            const AVRational tb = m_in.stream->time_base;
            at = av_rescale_q(ts, tb, {1, m_rate});
            // A timestamp between two samples has no exact place.
            if (av_rescale_q(at, {1, m_rate}, tb) != ts)
                return fail();
        } else if (!m_fed) {
            return fail();
        }
        const int64_t frameEnd = at + frame->nb_samples;
        if (m_fed && (at != m_expected || m_in.packetsSkipped != m_skippedAtStart))
            return fail(); // a gap, an overlap or a damaged packet
        m_expected = frameEnd;
        if (m_segment.first && !m_origin) {
            if (m_in.packetsSkipped > 0 || at > kMaximumPosition || at < -kMaximumPosition)
                return fail();
            m_origin = at;
            fixBounds(at);
            std::lock_guard lock(m_job.mutex);
            m_job.origin = at;
            m_job.changed.notify_all();
        }
        if (frameEnd <= m_feedFrom)
            return true; // pre-roll
        if (m_end != INT64_MAX && at >= m_end + m_job.reach) {
            m_done = true;
            return true;
        }
        av::FramePtr trimmed;
        if (!m_fed) {
            if (at > m_feedFrom)
                return fail(); // the segment's start was never decoded
            // The resampler must start on a whole step, so the first frame
            // fed starts exactly there.
            if (at < m_feedFrom) {
                trimmed = withoutFirst(*frame, m_feedFrom - at);
                if (!trimmed)
                    return fail();
                frame = trimmed.get();
            }
            m_fed = true;
            m_graphAt = m_job.outputAt(m_feedFrom, *m_origin);
            m_skippedAtStart = m_in.packetsSkipped;
        }
        return filter(m_filters, m_in, frame, m_job.out).empty() && writeFiltered();
    }

    // A copy of frame without its first count samples.
    static av::FramePtr withoutFirst(const AVFrame &frame, int64_t count)
    {
        av::FramePtr copy = av::makeFrame();
        if (!copy)
            return {};
        copy->format = frame.format;
        copy->sample_rate = frame.sample_rate;
        copy->nb_samples = static_cast<int>(frame.nb_samples - count);
        copy->pts = frame.pts;
        copy->best_effort_timestamp = frame.best_effort_timestamp;
        if (av_channel_layout_copy(&copy->ch_layout, &frame.ch_layout) < 0 || av_frame_get_buffer(copy.get(), 0) < 0
            || av_samples_copy(copy->extended_data, frame.extended_data, 0, static_cast<int>(count), copy->nb_samples,
                               frame.ch_layout.nb_channels, static_cast<AVSampleFormat>(frame.format))
                   < 0)
            return {};
        return copy;
    }

    bool fail()
    {
        m_failed = true;
        m_done = true;
        m_job.givenUp.store(true, std::memory_order_relaxed);
        {
            // Wakes the segments still waiting for the origin.
            std::lock_guard lock(m_job.mutex);
            m_job.changed.notify_all();
        }
        return false;
    }

    bool writeFiltered()
    {
        for (;;) {
            const int ret = av_buffersink_get_frame(m_filters.sink, m_filtered.get());
            if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
                return true;
            if (ret < 0)
                return false;
            const bool ok = write(*m_filtered);
            av_frame_unref(m_filtered.get());
            if (!ok)
                return false;
        }
    }

    // One filtered frame: the part inside the segment is kept.
    bool write(const AVFrame &frame)
    {
        const int64_t at = m_graphAt;
        m_graphAt += frame.nb_samples;
        const int64_t from = std::max(at, m_segment.outBegin);
        const int64_t to = std::min(m_graphAt, m_segment.outEnd);
        if (to <= from)
            return true;
        if (!m_segment.any) {
            m_segment.any = true;
            m_segment.firstKept = from;
            m_segment.nextKept = from;
        }
        const uint8_t *data = frame.data[0] + (from - at) * m_job.frameBytes;
        m_pending.insert(m_pending.end(), data, data + (to - from) * m_job.frameBytes);
        m_segment.nextKept = to;
        return m_pending.size() < kWriteBytes || flush();
    }

    // Writes in large pieces: one system call per decoded frame would cost
    // more than the copy.
    bool flush()
    {
        if (m_pending.empty())
            return true;
        const int64_t samples = static_cast<int64_t>(m_pending.size()) / m_job.frameBytes;
        const int64_t offset = m_job.dataStart + (m_segment.nextKept - samples) * m_job.frameBytes;
        if (m_job.out.file.writeAt(offset, m_pending.data(), static_cast<int>(m_pending.size())) < 0)
            return false;
        m_pending.clear();
        m_segment.written.fetch_add(samples, std::memory_order_relaxed);
        return true;
    }

    Job &m_job;
    Segment &m_segment;
    Input m_in;
    Filters m_filters;
    av::PacketPtr m_packet;
    av::FramePtr m_decoded;
    av::FramePtr m_filtered;
    int m_rate = 0;
    int m_format = -1;
    av::ChannelLayout m_layout;
    int64_t m_expected = 0;
    int64_t m_skippedAtStart = 0;
    std::optional<int64_t> m_origin;
    // Input samples; fixed once the origin is known.
    int64_t m_end = INT64_MAX; // first sample not wanted
    int64_t m_feedFrom = INT64_MAX; // first sample the filters get
    bool m_fed = false;
    int64_t m_graphAt = 0; // output position of the filters' next sample
    std::vector<uint8_t> m_pending; // the samples just before nextKept
    bool m_done = false;
    bool m_failed = false;
};

// Decoders whose output, a little after a cold start, depends only on the
// packets. Not AAC: the bands its encoder left to noise substitution are
// filled from a random generator that runs on from the first frame, so a
// segment fills them with other noise of the same level. On music that is a
// few hundred in 32767; on noise-like sound (rain, applause, a crowd) up to
// 2,900, and the waveform's peaks then move by a pixel in one column out of
// eight at the window's size: the picture would depend on the core count.
bool splitsCleanly(const AVCodecParameters &codec)
{
    switch (codec.codec_id) {
    case AV_CODEC_ID_MP3:
    case AV_CODEC_ID_VORBIS:
    case AV_CODEC_ID_FLAC:
        return true;
    default:
        return false;
    }
}

// Whether the job is one this file splits at all, before the input is
// opened: a ringtone job never pays for the question.
bool splittableJob(const EncoderOptions &options)
{
    const AVOutputFormat *muxer = outputFormatFor(options.outputPath);
    return muxer && std::string(muxer->name) == "wav" && options.startSeconds <= 0.0 && !options.durationSeconds
           && options.volume == 256 && options.fadeInSeconds <= 0.0
           && options.fadeOutSeconds <= 0.0 && allowedThreads() > 1;
}

// Whether frames can be placed on exact samples by their timestamps: a
// time base coarser than one sample (Matroska's milliseconds) places most of
// them between two samples, and the segments would only find that out after
// reading. Decided here, before any of them starts.
bool timestampsPlaceSamples(const AVStream &stream, int rate)
{
    const AVRational tb = stream.time_base;
    return tb.num > 0 && tb.den > 0 && !(tb.num == 1 && tb.den < rate);
}

// The stream's length in samples at its rate, 0 when unknown.
int64_t lengthOf(const Input &in, int rate)
{
    const AVStream &stream = *in.stream;
    if (stream.duration > 0 && stream.duration != AV_NOPTS_VALUE)
        return av_rescale_q(stream.duration, stream.time_base, {1, rate});
    if (in.format->duration > 0 && in.format->duration != AV_NOPTS_VALUE)
        return av_rescale(in.format->duration, rate, AV_TIME_BASE);
    return 0;
}

// Whether each segment met the next exactly; the samples written in total.
std::optional<int64_t> joined(const std::vector<std::unique_ptr<Segment>> &segments)
{
    const Segment *last = nullptr;
    bool ended = false;
    for (const auto &segment : segments) {
        if (segment->failed)
            return std::nullopt;
        if (!segment->any) {
            // Only past the end of the stream.
            if (!last || !last->reachedEnd)
                return std::nullopt;
            ended = true;
            continue;
        }
        if (ended)
            return std::nullopt;
        if (last
            && (last->reachedEnd || last->nextKept != segment->outBegin || segment->firstKept != segment->outBegin))
            return std::nullopt;
        last = segment.get();
    }
    if (!last)
        return std::nullopt;
    return last->nextKept;
}

} // namespace

int64_t segmentStart(int64_t streamStart, int64_t length, int index, int count)
{
    if (count <= 0 || length <= 0 || length > kMaximumPosition || streamStart > kMaximumPosition
        || streamStart < -kMaximumPosition)
        return streamStart;
    return streamStart + av_rescale_rnd(length, index, count, AV_ROUND_DOWN);
}

int segmentCount(double seconds, unsigned threads, double minimumSeconds)
{
    if (!(seconds > 0.0) || threads < 2)
        return 1;
    const double most = std::floor(seconds / minimumSeconds);
    return static_cast<int>(std::clamp<double>(std::min<double>(threads, most), 1.0, kMaximumSegments));
}

Error transcodeInSegments(const EncoderOptions &options, const ProgressCallback &progress, bool &done)
{
    done = false;
    if (!splittableJob(options))
        return {};
    Input in;
    if (!openInput(in, options.inputPath).empty() || !findAudioStream(in).empty() || !openDecoder(in).empty())
        return {}; // the single run reports it
    // Each thread opens the file again: it must be a file, not a pipe.
    std::error_code ec;
    if (!in.format->pb || !(in.format->pb->seekable & AVIO_SEEKABLE_NORMAL)
        || !std::filesystem::is_regular_file(utf8Path(options.inputPath), ec))
        return {};
    if (!splitsCleanly(*in.stream->codecpar))
        return {};
    const int rate = in.decoder->sample_rate;
    if (rate <= 0 || !timestampsPlaceSamples(*in.stream, rate))
        return {};
    const int64_t length = lengthOf(in, rate);
    int64_t streamStart = 0;
    if (in.stream->start_time != AV_NOPTS_VALUE)
        streamStart = av_rescale_q(in.stream->start_time, in.stream->time_base, {1, rate});
    // A header may state anything: lengths and starts past all reason are
    // not split (and av_rescale_q gives INT64_MIN where it overflows).
    if (length > kMaximumPosition || streamStart > kMaximumPosition || streamStart < -kMaximumPosition)
        return {};
    const int count = segmentCount(static_cast<double>(length) / rate, allowedThreads(),
                                   threadsHook() ? 1.0 : kMinimumSegmentSeconds);
    if (count < 2)
        return {};

    Output out;
    Error error = openOutput(out, options, *in.decoder);
    if (!error.empty())
        return error;
    const AVCodecContext &enc = *out.encoder;
    if (av_sample_fmt_is_planar(enc.sample_fmt) || rate <= 0 || enc.sample_rate <= 0)
        return {};
    Job job(options, out);
    const int64_t common = std::gcd<int64_t>(rate, enc.sample_rate);
    job.stepIn = rate / common;
    job.stepOut = enc.sample_rate / common;
    if (job.stepIn != job.stepOut) {
        // Past this many phases the resampler no longer steps through the
        // exact ratio.
        if (job.stepOut > kMaximumResamplerPhases)
            return {};
        job.reach = (kResamplerReach + job.stepIn - 1) / job.stepIn * job.stepIn;
    }
    AVIOContext *pb = out.format->pb;
    avio_flush(pb);
    job.dataStart = avio_tell(pb);
    job.frameBytes = av_get_bytes_per_sample(enc.sample_fmt) * enc.ch_layout.nb_channels;

    std::vector<std::unique_ptr<Segment>> segments;
    for (int i = 0; i < count; ++i) {
        auto segment = std::make_unique<Segment>();
        segment->first = i == 0;
        if (i > 0)
            segment->nominalBegin = segmentStart(streamStart, length, i, count);
        if (i + 1 < count)
            segment->nominalEnd = segmentStart(streamStart, length, i + 1, count);
        segments.push_back(std::move(segment));
    }
    // The first segment goes on with the input opened here; the others open
    // their own.
    std::vector<std::thread> threads;
    job.running = static_cast<unsigned>(count);
    for (auto &segment : segments) {
        Input opened = segment->first ? std::move(in) : Input();
        threads.emplace_back([&job, s = segment.get(), opened = std::move(opened)]() mutable {
            SegmentDecoder(job, *s, std::move(opened)).run();
        });
    }
    {
        std::unique_lock lock(job.mutex);
        while (!job.changed.wait_for(lock, kProgressInterval, [&job] { return job.running == 0; })) {
            if (!progress)
                continue;
            int64_t written = 0;
            for (const auto &segment : segments)
                written += segment->written.load(std::memory_order_relaxed);
            Progress now;
            now.seconds = static_cast<double>(written) / enc.sample_rate;
            now.bytesWritten = job.dataStart + written * job.frameBytes;
            lock.unlock();
            progress(now);
            lock.lock();
        }
    }
    for (std::thread &thread : threads)
        thread.join();
    if (stopRequested())
        return "Stopped before output file '" + options.outputPath + "' was complete";

    const std::optional<int64_t> total = job.origin ? joined(segments) : std::nullopt;
    if (!total || *total <= 0) {
        // Tells the tests that set the hook that the segments ran in vain.
        if (threadsHook())
            std::fprintf(stderr, "segments given up\n");
        return {};
    }
    // The trailer writes the sizes from the position it finds.
    out.samplesEncoded = *total;
    if (avio_seek(pb, job.dataStart + *total * job.frameBytes, SEEK_SET) < 0)
        return {};
    error = writeTrailer(out);
    if (!error.empty())
        return error;
    done = true;
    // Tells the tests that set the hook which way the job went.
    if (threadsHook())
        std::fprintf(stderr, "decoded in %d segments\n", count);
    if (progress) {
        Progress last = progressOf(out);
        const auto size = std::filesystem::file_size(utf8Path(out.path), ec);
        if (!ec)
            last.bytesWritten = static_cast<int64_t>(size);
        progress(last);
    }
    return {};
}

} // namespace tq
