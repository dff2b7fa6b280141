#include "pipeline.h"
#include "encodethread.h"

#include <algorithm>
#include <atomic>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace tq {

namespace {

// Lock-free, so that a signal handler may set it.
std::atomic<bool> stopFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free);


std::string formatSeconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return text;
}

} // namespace

Progress progressOf(const Output &out)
{
    Progress progress;
    if (out.format && out.format->pb)
        progress.bytesWritten = std::max<int64_t>(0, avio_tell(out.format->pb));
    if (out.encoder && out.encoder->sample_rate > 0)
        progress.seconds = static_cast<double>(out.samplesEncoded) / out.encoder->sample_rate;
    return progress;
}

std::string formatProgress(const Progress &progress)
{
    char bitrate[32];
    if (progress.seconds > 0.0)
        std::snprintf(bitrate, sizeof bitrate, "%6.1fkbits/s", progress.bytesWritten * 8.0 / progress.seconds / 1000.0);
    else
        std::snprintf(bitrate, sizeof bitrate, "N/A");
    // The conversion job reads the text between "time=" and the next space
    // as a plain number: no hh:mm:ss, and never a comma.
    char line[128];
    std::snprintf(line, sizeof line, "size=%8" PRId64 "kB time=%.2f bitrate=%s", progress.bytesWritten / 1024,
                  progress.seconds, bitrate);
    std::string text = line;
    if (progress.packetsSkipped > 0)
        text += " skipped=" + std::to_string(progress.packetsSkipped) + " damaged packets";
    return text;
}

namespace {

// The largest sample of a decoded file, in full scale; negative when it
// cannot be read or its decoder gives no float samples.
double decodedPeak(const std::string &path)
{
    av::AudioInput in;
    std::string error;
    if (av::openAudioInput(in, path, error) < 0)
        return -1.0;
    const AVSampleFormat format = in.decoder->sample_fmt;
    if (format != AV_SAMPLE_FMT_FLTP && format != AV_SAMPLE_FMT_FLT)
        return -1.0;
    av::PacketPtr packet = av::makePacket();
    av::FramePtr frame = av::makeFrame();
    if (!packet || !frame)
        return -1.0;
    double peak = 0.0;
    const auto take = [&] {
        while (avcodec_receive_frame(in.decoder.get(), frame.get()) >= 0) {
            const int channels = frame->ch_layout.nb_channels;
            const int planes = format == AV_SAMPLE_FMT_FLTP ? channels : 1;
            const int perPlane = format == AV_SAMPLE_FMT_FLTP ? frame->nb_samples : frame->nb_samples * channels;
            for (int p = 0; p < planes; ++p) {
                const auto *samples = reinterpret_cast<const float *>(frame->extended_data[p]);
                for (int i = 0; i < perPlane; ++i)
                    peak = std::max(peak, double(std::fabs(samples[i])));
            }
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(in.format.get(), packet.get()) >= 0) {
        if (packet->stream_index == in.stream->index && avcodec_send_packet(in.decoder.get(), packet.get()) >= 0)
            take();
        av_packet_unref(packet.get());
    }
    if (avcodec_send_packet(in.decoder.get(), nullptr) >= 0)
        take();
    return peak;
}

} // namespace

Error transcode(const EncoderOptions &options, const ProgressCallback &progress)
{
    Error error = transcodeOnce(options, progress);
    if (!error.empty() || options.volume <= 256)
        return error;
    const AVOutputFormat *muxer = outputFormatFor(options.outputPath);
    const AVCodecID codecId = muxer ? av_guess_codec(muxer, nullptr, options.outputPath.c_str(), nullptr,
                                                     AVMEDIA_TYPE_AUDIO)
                                    : AV_CODEC_ID_NONE;
    const AVCodecDescriptor *codec = avcodec_descriptor_get(codecId);
    if (!codec || !(codec->props & AV_CODEC_PROP_LOSSY))
        return error;
    // A boost limited below the ceiling may still clip once encoded: the
    // codec's error on dense, bright sound (noise, distorted guitars) can
    // reach several dB. Decoded as a phone plays it, a ringtone that reaches
    // full scale is made again with the ceiling lowered by what it passed.
    EncoderOptions again = options;
    again.overwrite = true;
    // The progress already reached the end: a pass starting again from 0
    // would send the window's bar back and up a second time.
    const ProgressCallback quiet = [](const Progress &) {};
    double ceiling = kLossyLimiterCeiling;
    for (int pass = 0; pass < 3; ++pass) {
        const double peak = decodedPeak(options.outputPath);
        if (peak < kDecodedPeakLimit)
            return {};
        ceiling *= 0.97 * kDecodedPeakLimit / peak;
        again.limiterCeiling = ceiling;
        error = transcodeOnce(again, quiet);
        if (!error.empty())
            return error;
    }
    return {};
}

Error transcodeOnce(const EncoderOptions &options, const ProgressCallback &progress)
{
    std::error_code ec;
    const std::filesystem::path target = utf8Path(options.outputPath);
    // Found out before the work rather than by the final rename.
    if (std::filesystem::is_directory(target, ec))
        return "Could not open output file '" + options.outputPath + "' (" + av::err2str(AVERROR(EISDIR)) + ")";
    if (!options.overwrite && std::filesystem::exists(target, ec))
        return "Output file '" + options.outputPath + "' already exists (" + av::err2str(AVERROR(EEXIST)) + ")";

    bool done = false;
    Error error = transcodeInSegments(options, progress, done);
    if (done || !error.empty())
        return error;

    Input in;
    error = openInput(in, options.inputPath);
    if (error.empty())
        error = findAudioStream(in);
    if (error.empty())
        error = openDecoder(in);
    if (error.empty())
        error = seekInput(in, options.startSeconds);
    if (!error.empty())
        return error;

    Output out;
    error = openOutput(out, options, *in.decoder);
    if (!error.empty())
        return error;
    Filters filters;
    error = buildFilterGraph(filters, options, in, out);
    if (!error.empty())
        return error;

    av::PacketPtr packet = av::makePacket();
    av::FramePtr decoded = av::makeFrame();
    av::FramePtr filtered = av::makeFrame();
    if (!packet || !decoded || !filtered)
        return "Could not allocate memory for input file '" + in.path + "' (" + av::err2str(AVERROR(ENOMEM)) + ")";

    // Set once the filters want no more input (the end of the cut).
    std::atomic<bool> inputClosed{false};
    bool finished = false;
    // A decoded frame through the filters, whose output goes to deliver. A
    // change of format drains the graph to the end, so that the resampler's
    // last samples are kept, and builds the next one.
    const auto filterFrame = [&](AVFrame *frame, const Deliver &deliver) {
        Error e;
        if (formatChanged(filters, *frame)) {
            e = filter(filters, in, nullptr, out);
            if (e.empty())
                e = pullFiltered(filters, out, filtered.get(), deliver, finished);
            if (e.empty())
                e = rebuildFilterGraph(filters, *frame, out);
            finished = false;
        }
        if (e.empty())
            e = filter(filters, in, frame, out);
        if (e.empty())
            e = pullFiltered(filters, out, filtered.get(), deliver, finished);
        if (filters.inputClosed)
            inputClosed.store(true, std::memory_order_relaxed);
        return e;
    };
    const auto endFilters = [&](const Deliver &deliver) {
        Error e = filter(filters, in, nullptr, out);
        return e.empty() ? pullFiltered(filters, out, filtered.get(), deliver, finished) : e;
    };
    const Deliver encodeHere = [&](AVFrame *frame) {
        Error e = encode(out, frame);
        av_frame_unref(frame);
        return e;
    };

    // The second thread encodes and writes. A WAV costs next to nothing to
    // encode, while decoding is the whole cost of a waveform job: there the
    // filters (the resampler above all) move to the second thread too, and
    // this one only decodes.
    const bool filtersAside = std::string(out.format->oformat->name) == "wav";
    EncodeThread::Work aside;
    if (filtersAside) {
        aside = [&](AVFrame *frame) {
            if (frame)
                return filterFrame(frame, encodeHere);
            Error e = endFilters(encodeHere);
            return e.empty() ? encode(out, nullptr) : e;
        };
    }
    // Declared after everything its work touches: stopped (and its queue
    // drained) before those are torn down.
    EncodeThread worker(out, progress, std::move(aside));
    const Deliver toWorker = [&worker](AVFrame *frame) { return worker.push(frame) ? Error() : worker.finish(); };
    const auto onFrame = [&](AVFrame *frame) { return filtersAside ? toWorker(frame) : filterFrame(frame, toWorker); };

    bool packetsRead = false;
    while (!inputClosed.load(std::memory_order_relaxed)) {
        if (stopFlag.load(std::memory_order_relaxed))
            return "Stopped before output file '" + options.outputPath + "' was complete";
        const int ret = readPacket(in, packet.get(), error);
        if (ret == AVERROR_EOF) {
            error = decode(in, nullptr, decoded.get(), onFrame);
            if (!error.empty())
                return error;
            break;
        }
        if (ret >= 0) {
            packetsRead = true;
            error = decode(in, packet.get(), decoded.get(), onFrame);
            av_packet_unref(packet.get());
        }
        if (!error.empty())
            return error;
    }

    if (!filtersAside)
        error = endFilters(toWorker);
    const Error encodeError = worker.finish();
    if (!error.empty())
        return error;
    if (!encodeError.empty())
        return encodeError;
    // An empty output is no result. Either nothing in the file decodes, or
    // the start lies beyond the end of the audio.
    if (out.samplesEncoded == 0) {
        if (!in.decodedAny && (packetsRead || options.startSeconds <= 0.0))
            return "Could not decode the audio of input file '" + in.path + "' ("
                   + av::err2str(AVERROR_INVALIDDATA) + ")";
        return "Could not find audio to encode after " + formatSeconds(options.startSeconds) + " s in input file '"
               + in.path + "' (" + av::err2str(AVERROR_EOF) + ")";
    }
    error = writeTrailer(out);
    if (!error.empty())
        return error;
    if (progress) {
        Progress last = progressOf(out);
        last.packetsSkipped = in.packetsSkipped;
        std::error_code sizeError;
        const auto size = std::filesystem::file_size(utf8Path(out.path), sizeError);
        if (!sizeError)
            last.bytesWritten = static_cast<int64_t>(size);
        progress(last);
    }
    return {};
}

bool stopRequested()
{
    return stopFlag.load(std::memory_order_relaxed);
}

void requestStop()
{
    stopFlag.store(true, std::memory_order_relaxed);
}

} // namespace tq
