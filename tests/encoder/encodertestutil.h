#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Drives the encoder program and Debian's reference tools for the encoder
// tests: fixtures are made with /usr/bin/ffmpeg, outputs are read back with
// it, and PCM is analysed here.
namespace enctest {

struct Run
{
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QByteArray errorOutput; // standard error; standard output must stay empty
    QByteArray standardOutput;
    QStringList errorLines() const;
    // The lines that are not progress reports.
    QStringList messageLines() const;
};

QString encoderPath();
// Runs our encoder with args; setup may adjust the process before it starts.
Run runEncoder(const QStringList &args, const std::function<void(QProcess &)> &setup = {});
// Runs /usr/bin/ffmpeg quietly with "-y" and args; true on success.
bool reference(const QStringList &args);
// One value from ffprobe ("stream=channels", "format_tags=major_brand", ...).
QString probe(const QString &path, const QString &entry);

struct Pcm
{
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QVector<qint16> samples; // interleaved
    quint32 riffSize = 0;
    quint32 dataSize = 0;
    qint64 fileSize = 0;

    bool isValid() const { return sampleRate > 0 && channels > 0; }
    qint64 frames() const { return channels ? samples.size() / channels : 0; }
    double seconds() const { return sampleRate ? double(frames()) / sampleRate : 0.0; }
    double rms(double from, double to) const; // over all channels
    // Frequency of channel 0 from its rising zero crossings in [from, from + window).
    double frequencyAt(double from, double window = 0.04) const;
    // Time of the first rising crossing from which the period matches
    // frequency for a few periods in a row; -1 if never.
    double firstTimeAt(double frequency) const;
};

// Reads a 16-bit PCM WAV file; invalid Pcm on any format error.
Pcm readWav(const QString &path);
// Decodes any file to 16-bit WAV with the reference tool and reads it.
Pcm decodeWithReference(const QString &path);

} // namespace enctest
