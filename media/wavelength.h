#pragma once

#include <QString>
#include <QtGlobal>

// Seconds of sound in a PCM WAV (or RF64) file, from its format and data
// chunk sizes as the WAV reader takes them: sizes a writer could not fill are
// read from what the file holds, and a file the reader refuses gives 0.0, as
// does anything that is not a regular file (a named pipe is never opened).
double waveLengthSeconds(const QString &path);

// RIFF sizes are 32-bit. A writer that passes 4 GiB either writes RF64 (the
// real sizes in a "ds64" chunk, the 32-bit fields at 0xFFFFFFFF) or leaves
// what it could: 0xFFFFFFFF, or the size wrapped past 2^32. The WAV reader
// and waveLengthSeconds() both decide by these two rules, so that the
// picture and the length always describe the same samples.
inline constexpr quint32 kWavSizeUnknown = 0xFFFFFFFF;

// Whether the RIFF size (riff64: the ds64 chunk's, or -1 without one) fits a
// stream of streamSize bytes (-1: unknown, as for a pipe).
bool wavRiffSizeFits(quint32 riffSize, qint64 riff64, qint64 streamSize);

// The total file size the header states, for a message: riff64 + 8 with a
// ds64 chunk, else riffSize + 8.
qint64 wavStatedFileSize(quint32 riffSize, qint64 riff64);

// Bytes of sound in a data chunk whose header states `declared` (data64: the
// ds64 chunk's size, or -1), with `available` bytes between the end of its
// header and the end of the stream (-1: unknown). Never more than available.
qint64 wavDataBytes(quint32 declared, qint64 data64, qint64 available);
