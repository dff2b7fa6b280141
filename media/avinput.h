#pragma once

// Opening a media file for its audio, shared by the encoder program, the
// preview player and the media probe: one way to open, one wording of every
// failure, one seek pre-roll.
#include "avptr.h"

#include <cstdint>
#include <string>

namespace av {

// The one line for a failure on a file: the operation, the file and the
// library's text, as in "Could not open input file 'a.mp3' (No such file or
// directory)".
std::string fileError(const std::string &operation, const std::string &path, int errnum);

// A file opened for its audio: the container, its best audio stream and a
// decoder for it. Each step below returns 0 or an AVERROR code and, on
// failure, puts its line in `error`.
struct AudioInput
{
    std::string path;
    InputFormatPtr format;
    AVStream *stream = nullptr; // owned by format
    CodecContextPtr decoder;
};

// Opens the container and reads its stream information; interrupt, when
// given, can give up a blocked open or read (see openInput).
int openInputFile(AudioInput &in, const std::string &path, std::string &error,
                  const AVIOInterruptCB *interrupt = nullptr);
// Picks the best audio stream; the others are discarded, so the demuxer
// skips their data (the video of a large movie).
int findAudioStream(AudioInput &in, std::string &error);
int openAudioDecoder(AudioInput &in, std::string &error);
// The three steps in order.
int openAudioInput(AudioInput &in, const std::string &path, std::string &error);

// The container's start, in AV_TIME_BASE units; 0 when it states none.
int64_t startTime(const AVFormatContext &format);

// How far before a seek target decoding must begin, in AV_TIME_BASE units:
// MP3's bit reservoir and the overlapping windows of AAC and Vorbis need the
// frames before the target to decode it cleanly, Opus states its own need.
// The samples before the target are dropped after decoding.
int64_t seekPreroll(const AVStream &stream);

} // namespace av
