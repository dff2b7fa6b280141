#pragma once

#include "avptr.h"
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

struct Input
{
    std::string path;
    av::InputFormatPtr format;
    AVStream *stream = nullptr; // owned by format
    av::CodecContextPtr decoder;
    // Output time 0 on the stream's clock, in its time base: the file's own
    // start plus the requested start.
    int64_t originPts = 0;
    bool decodedAny = false;
};

// Removes the file at its path on destruction unless committed. The output
// is written under this name and only renamed over the real one when
// complete, so a failed run leaves no partial file and an older output
// intact.
class TemporaryFile final
{
public:
    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    // Picks an unused name beside target; creates nothing yet.
    void reserveBeside(const std::string &target);
    const std::string &path() const { return m_path; }
    // Renames over target; 0 or an AVERROR code.
    int commit(const std::string &target);

private:
    std::string m_path;
};

struct Output
{
    Output() = default;
    ~Output();
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;

    std::string path;
    TemporaryFile file; // declared first: the AVIOContext is closed before the file is removed
    av::OutputFormatPtr format;
    AVStream *stream = nullptr; // owned by format
    av::CodecContextPtr encoder;
    av::PacketPtr packet;
    int64_t samplesEncoded = 0;
};

struct Filters
{
    av::FilterGraphPtr graph;
    AVFilterContext *source = nullptr; // owned by graph
    AVFilterContext *sink = nullptr;   // owned by graph
    // Timestamps fed to the graph: samples at the decoder's rate, counted
    // from the origin, so that the trim works on exact sample positions.
    int64_t nextPts = 0;
    int64_t endPts = INT64_MAX; // first sample not wanted
    bool clockSet = false;
    bool inputClosed = false;
};

struct Progress
{
    int64_t bytesWritten = 0;
    double seconds = 0.0; // of output so far
};
using ProgressCallback = std::function<void(const Progress &)>;
Progress progressOf(const Output &out);

// The muxer for an output name: ".m4a" and ".m4r" give the iPod MP4 muxer
// (M4A brand), ".wav" WAV, any other name libavformat's guess; null if none.
const AVOutputFormat *outputFormatFor(const std::string &outputPath);

// The filter chain between the trimmed input and the encoder, as
// libavfilter text. Pure, so that the choices are tested directly.
struct ChainParams
{
    int64_t trimEndPts = -1; // exclusive, at the input rate; -1 for none
    bool trimStart = false;
    int volume = 256;
    double fadeInSeconds = 0.0;
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
Error buildFilterGraph(Filters &filters, const EncoderOptions &options, const Input &in, const Output &out);
// Reads the next packet of the audio stream; AVERROR_EOF at the end.
int readPacket(Input &in, AVPacket *packet, Error &error);
// Sends one packet (null drains the decoder) and hands each frame to onFrame.
Error decode(Input &in, const AVPacket *packet, AVFrame *frame,
             const std::function<Error(AVFrame *)> &onFrame);
// Pushes one decoded frame (null: end of input) into the graph.
Error filter(Filters &filters, const Input &in, AVFrame *frame, const Output &out);
class EncodeThread;
// Hands whatever the graph has ready to the encoder; finished once the graph
// delivered its last frame.
Error pullFiltered(Filters &filters, const Output &out, AVFrame *scratch, EncodeThread &encoder, bool &finished);
// Encodes one frame (null flushes the encoder) and writes its packets.
Error encode(Output &out, AVFrame *frame);
Error writeTrailer(Output &out);

// The whole job: the input to a complete output file, or the one error line.
Error transcode(const EncoderOptions &options, const ProgressCallback &progress);

// Asks a running transcode() to stop at its next packet: it then fails and
// leaves no partial file. Safe to call from a signal handler.
void requestStop();

// "size=     512kB time=12.34 bitrate= 192.0kbits/s"
std::string formatProgress(const Progress &progress);

} // namespace tq
