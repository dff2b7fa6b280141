#pragma once

#include <QString>

// Seconds of sound in a PCM WAV file, from its format and data chunk sizes
// (a data chunk that claims more than the file holds counts what is there).
// 0.0 when the file cannot be read as one.
double waveLengthSeconds(const QString &path);
