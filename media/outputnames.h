#pragma once

#include <QString>

// Where the window's output files go and what they are called. Every name is
// built with CFilePath and numbered "(1)", "(2)", ... when taken; names are
// shortened (at a character boundary) so that the numbered name still fits
// the 255-byte limit of common file systems.
namespace OutputNames {

// Bytes a file name may take (ext4, NTFS in UTF-16 units, most others).
inline constexpr int kNameLimit = 255;

// The base name cut so that base + "(999)" + "." + suffix fits kNameLimit
// bytes of UTF-8; a name that fits is returned as it is.
QString fittedBaseName(const QString &baseName, const QString &suffix);

// The file the encoder writes: the input's base name with suffix "m4a" in
// folder, made unique.
QString encodedFile(const QString &folder, const QString &inputPath);

// The temporary waveform file for inputPath in folder, made unique.
QString waveFile(const QString &folder, const QString &inputPath);

// The ringtone's base name: the typed name without the characters a file
// name may not hold and without leading dots (no hidden file, no ringtone
// called ".."); the input's base name when nothing is left, and "Ringtone"
// when that too is nothing but dots.
QString ringtoneName(const QString &typedName, const QString &inputPath);

// The ringtone's path beside encodedPath: name + ".m4r", made unique.
QString ringtoneFile(const QString &encodedPath, const QString &name);

// Creates folder with its parents. False when it does not exist afterwards.
bool makeFolder(const QString &folder);

} // namespace OutputNames
