#include "pipeline.h"
#include "encodethread.h"

#include <algorithm>
#include <atomic>
#include <cinttypes>
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

Error transcode(const EncoderOptions &options, const ProgressCallback &progress)
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

    // Declared after out: stopped (and its queue drained) before the
    // output is torn down.
    EncodeThread encoder(out, progress);
    bool finished = false;
    const auto onFrame = [&](AVFrame *frame) {
        Error e;
        if (formatChanged(filters, *frame)) {
            // Drained to the end, so the resampler's last samples are kept.
            e = filter(filters, in, nullptr, out);
            if (e.empty())
                e = pullFiltered(filters, out, filtered.get(), encoder, finished);
            if (e.empty())
                e = rebuildFilterGraph(filters, *frame, out);
            finished = false;
        }
        if (e.empty())
            e = filter(filters, in, frame, out);
        return e.empty() ? pullFiltered(filters, out, filtered.get(), encoder, finished) : e;
    };

    bool packetsRead = false;
    while (!filters.inputClosed) {
        if (stopFlag.load(std::memory_order_relaxed))
            return "Stopped before output file '" + options.outputPath + "' was complete";
        const int ret = readPacket(in, packet.get(), error);
        if (ret == AVERROR_EOF) {
            error = decode(in, nullptr, decoded.get(), onFrame);
            if (error.empty())
                error = filter(filters, in, nullptr, out);
        } else if (ret >= 0) {
            packetsRead = true;
            error = decode(in, packet.get(), decoded.get(), onFrame);
            av_packet_unref(packet.get());
        }
        if (!error.empty())
            return error;
    }

    error = pullFiltered(filters, out, filtered.get(), encoder, finished);
    const Error encodeError = encoder.finish();
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
