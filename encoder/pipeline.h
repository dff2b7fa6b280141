#pragma once

#include "avinput.h"
#include "options.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// The encoder's pipeline, one function per libav* stage. Every stage returns
// an empty Error on success, else the one line the program prints: the
// operation, the file and the library's error text.
namespace tq {

using Error = std::string;

// File names travel as UTF-8, as libav* takes them; a narrow
// std::filesystem::path would read them in the ANSI code page on Windows.
std::filesystem::path utf8Path(const std::string &path);

struct Input : av::AudioInput
{
    // Output time 0 on the stream's clock, in its time base: the file's own
    // start plus the requested start.
    int64_t originPts = 0;
    bool decodedAny = false;
    int64_t packetsSkipped = 0; // failed to decode and left out
};

// The output is written under a temporary name beside the real one and only
// renamed over it when complete, so a failed run leaves no partial file and
// an older output intact. Removes the file on destruction unless committed.
class TemporaryFile final
{
public:
    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    // Creates a new file under an unused name beside target (so that the
    // final rename stays on one file system and is atomic), trying numbers
    // from firstNumber on; never opens an existing file nor follows a link
    // planted at that name. 0 or AVERROR.
    int createBeside(const std::string &target, unsigned long long firstNumber = clockNumber());
    // A number that keeps two runs apart.
    static unsigned long long clockNumber();
    const std::string &path() const { return m_path; }
    // Writes to the file; owned here, valid until close().
    AVIOContext *io() const { return m_io; }
    // Writes at offset, bypassing io() and leaving its position alone; safe
    // from several threads on parts that do not overlap. 0 or AVERROR.
    int writeAt(int64_t offset, const uint8_t *data, int size) const;
    // Flushes and closes the file once its data reached the disk (fsync);
    // the first write, sync or close error, or 0.
    int close();
    // Off: close() and commit() leave the data to the system's own pace.
    void setSynced(bool on) { m_synced = on; }
    // Closes with its data on the disk, renames over target and syncs
    // target's folder; 0 or an AVERROR code (the file stays temporary).
    int commit(const std::string &target);

private:
    std::string m_path;
    int m_fd = -1;
    bool m_synced = true;
    AVIOContext *m_io = nullptr;
};

// The temporary name for target: target's folder, its file name (cut short
// at a character boundary where the name would pass 255 bytes), then
// "." number ".part".
std::string temporaryNameBeside(const std::string &target, unsigned long long number);

struct Output
{
    Output() = default;
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;

    std::string path;
    TemporaryFile file; // declared before format, which borrows its AVIOContext
    av::OutputFormatPtr format;
    AVStream *stream = nullptr; // owned by format
    av::CodecContextPtr encoder;
    av::PacketPtr packet;
    // Encoders of a fixed frame size (AAC) take whole frames only, but the
    // filters deliver what they have, also a short frame when a graph is
    // drained for a format change: the FIFO regroups the samples.
    av::AudioFifoPtr fifo;
    av::FramePtr chunk;
    int64_t samplesEncoded = 0;
};

struct Filters
{
    const EncoderOptions *options = nullptr;
    av::FilterGraphPtr graph;
    AVFilterContext *source = nullptr; // owned by graph
    AVFilterContext *sink = nullptr;   // owned by graph
    // Timestamps fed to the graph: samples at the decoder's rate, counted
    // from the origin, so that the trim works on exact sample positions.
    int64_t nextPts = 0;
    int64_t endPts = INT64_MAX; // first sample not wanted
    bool clockSet = false;
    bool inputClosed = false;
    // The decoded format the graph was built for.
    int rate = 0;
    int sampleFormat = -1;
    av::ChannelLayout layout;
};

struct Progress
{
    int64_t bytesWritten = 0;
    double seconds = 0.0; // of output so far
    int64_t packetsSkipped = 0; // told on the last line only
};
using ProgressCallback = std::function<void(const Progress &)>;
Progress progressOf(const Output &out);

// The muxer for an output name: ".m4a" and ".m4r" give the iPod MP4 muxer
// (M4A brand), ".wav" WAV, any other name libavformat's guess; null if none.
const AVOutputFormat *outputFormatFor(const std::string &outputPath);

// The limiter after a boost; the preview player uses the same figures.
inline constexpr double kLimiterCeiling = 0.99; // of full scale
// A lossy encoder's output overshoots what it was given (AAC by some tenths
// of a dB on noise-like sound), and a decoder clips what passes full scale:
// for a lossy output the ceiling leaves room for that, about -1 dBFS.
inline constexpr double kLossyLimiterCeiling = 0.89;
inline constexpr double kLimiterAttackMs = 5.0;  // the look-ahead
inline constexpr double kLimiterReleaseMs = 50.0;
std::string limiterFilter(double ceiling = kLimiterCeiling);

// The filter chain between the trimmed input and the encoder, as
// libavfilter text. Pure, so that the choices are tested directly.
struct ChainParams
{
    int64_t trimEndPts = -1; // exclusive, at the input rate; -1 for none
    bool trimStart = false;
    bool monoSource = false; // one decoded channel, of no particular position
    int volume = 256;
    double limiterCeiling = kLimiterCeiling;
    double fadeInSeconds = 0.0;
    // Of the output, which starts at 0; no fade-out unless both are > 0.
    double fadeOutStart = 0.0;
    double fadeOutSeconds = 0.0;
    int sampleRate = 44100;
    std::string channelLayout = "stereo";
    std::string sampleFormat = "s16";
};
std::string filterChain(const ChainParams &params);

Error openInput(Input &in, const std::string &path);
Error findAudioStream(Input &in);
Error openDecoder(Input &in);
// Positions the input a little before startSeconds; the samples before it
// are dropped exactly by the filter graph.
Error seekInput(Input &in, double startSeconds);
Error openOutput(Output &out, const EncoderOptions &options, const AVCodecContext &decoder);
// Builds the graph for the decoder's format; options must outlive filters.
Error buildFilterGraph(Filters &filters, const EncoderOptions &options, const Input &in, const Output &out);
// A decoder may change rate or channels mid-stream (joined MP3s, broadcasts
// switching between stereo and 5.1): the graph built for the old format is
// drained, then replaced by one for the frame's format.
bool formatChanged(const Filters &filters, const AVFrame &frame);
Error rebuildFilterGraph(Filters &filters, const AVFrame &format, const Output &out);
// Reads the next packet of the audio stream; AVERROR_EOF at the end.
int readPacket(Input &in, AVPacket *packet, Error &error);
// Sends one packet (null drains the decoder) and hands each frame to onFrame.
Error decode(Input &in, const AVPacket *packet, AVFrame *frame,
             const std::function<Error(AVFrame *)> &onFrame);
// Pushes one decoded frame (null: end of input) into the graph.
Error filter(Filters &filters, const Input &in, AVFrame *frame, const Output &out);
// Takes one filtered frame's reference.
using Deliver = std::function<Error(AVFrame *)>;
// Hands whatever the graph has ready to deliver; finished once the graph
// delivered its last frame.
Error pullFiltered(Filters &filters, const Output &out, AVFrame *scratch, const Deliver &deliver, bool &finished);
// Encodes one frame (null flushes the encoder) and writes its packets.
Error encode(Output &out, AVFrame *frame);
Error writeTrailer(Output &out);
// Whether a finished WAV file's first 12 bytes state its real size: RF64,
// or a RIFF size of fileSize - 8.
bool wavSizesWritten(const unsigned char header[12], int64_t fileSize);

// The whole job: the input to a complete output file, or the one error line.
// A boosted lossy output that still reaches full scale once decoded is made
// again with a lower limiter ceiling.
Error transcode(const EncoderOptions &options, const ProgressCallback &progress);
// One pass of it.
Error transcodeOnce(const EncoderOptions &options, const ProgressCallback &progress);
// Decoded samples at or above this (in full scale) are on the rails of
// 16-bit output.
inline constexpr double kDecodedPeakLimit = 32767.0 / 32768.0;

// The waveform job (a whole file to WAV) decoded in time segments, one
// thread each, into the same file one thread writes. done stays false when
// the job cannot be split exactly (or is too short to gain); the caller then
// runs it on one thread. An error is the job's failure.
Error transcodeInSegments(const EncoderOptions &options, const ProgressCallback &progress, bool &done);
// Segments for a stream of that length on that many threads; 1 for none.
// Below the minimum per thread, opening the file again costs more than the
// thread saves.
inline constexpr double kMinimumSegmentSeconds = 20.0;
int segmentCount(double seconds, unsigned threads, double minimumSeconds = kMinimumSegmentSeconds);
// Where segment index of count begins, in samples of a stream of that length
// starting at streamStart: rounded down, and no overflow whatever a header
// states (an absurd length or start gives streamStart; such a file is not
// split).
int64_t segmentStart(int64_t streamStart, int64_t length, int index, int count);

// Asks a running transcode() to stop at its next packet: it then fails and
// leaves no partial file. Safe to call from a signal handler.
void requestStop();
bool stopRequested();

// "size=     512kB time=12.34 bitrate= 192.0kbits/s"
std::string formatProgress(const Progress &progress);

} // namespace tq
