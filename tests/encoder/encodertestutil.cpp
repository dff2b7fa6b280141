#include "encodertestutil.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace enctest {

namespace {

constexpr int ProcessTimeoutMs = 60000;

} // namespace

QStringList Run::errorLines() const
{
    return QString::fromUtf8(errorOutput).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList Run::messageLines() const
{
    QStringList lines = errorLines();
    lines.removeIf([](const QString &line) { return line.startsWith(QLatin1String("size=")); });
    return lines;
}

QString encoderPath() { return QStringLiteral(TQ_ENCODER_PATH); }

Run runEncoder(const QStringList &args, const std::function<void(QProcess &)> &setup)
{
    QProcess process;
    if (setup)
        setup(process);
    process.start(encoderPath(), args);
    Run run;
    if (!process.waitForFinished(ProcessTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.exitStatus = process.exitStatus();
    run.errorOutput = process.readAllStandardError();
    run.standardOutput = process.readAllStandardOutput();
    // A failed check cuts its message at about a kilobyte, which leaves only
    // the first frames of a sanitizer's report: print the whole of it.
    if (run.errorOutput.contains("Sanitizer"))
        qWarning().noquote() << run.errorOutput;
    return run;
}

bool reference(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(TQ_REFERENCE_FFMPEG), QStringList{"-v", "error", "-y"} + args);
    return process.waitForFinished(ProcessTimeoutMs) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

QString probe(const QString &path, const QString &entry)
{
    QProcess process;
    process.start(QStringLiteral(TQ_REFERENCE_FFPROBE),
                  {"-v", "error", "-show_entries", entry, "-of", "default=noprint_wrappers=1:nokey=1", path});
    if (!process.waitForFinished(ProcessTimeoutMs))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

double Pcm::rms(double from, double to) const
{
    const qint64 first = std::clamp<qint64>(qint64(from * sampleRate), 0, frames());
    const qint64 last = std::clamp<qint64>(qint64(to * sampleRate), 0, frames());
    double sum = 0.0;
    for (qint64 i = first * channels; i < last * channels; ++i)
        sum += double(samples[i]) * samples[i];
    const qint64 count = (last - first) * channels;
    return count > 0 ? std::sqrt(sum / count) : 0.0;
}

namespace {

// Rising zero crossings of channel 0, in seconds, interpolated between samples.
QVector<double> risingCrossings(const Pcm &pcm, qint64 first, qint64 last)
{
    QVector<double> times;
    for (qint64 i = std::max<qint64>(first, 1); i < last; ++i) {
        const double a = pcm.samples[(i - 1) * pcm.channels];
        const double b = pcm.samples[i * pcm.channels];
        if (a < 0 && b >= 0)
            times.append((i - 1 + (-a) / (b - a)) / pcm.sampleRate);
    }
    return times;
}

} // namespace

double Pcm::frequencyAt(double from, double window) const
{
    const qint64 first = std::clamp<qint64>(qint64(from * sampleRate), 0, frames());
    const qint64 last = std::clamp<qint64>(qint64((from + window) * sampleRate), 0, frames());
    const QVector<double> times = risingCrossings(*this, first, last);
    if (times.size() < 3)
        return 0.0;
    QVector<double> periods;
    for (int i = 1; i < times.size(); ++i)
        periods.append(times[i] - times[i - 1]);
    std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
    return 1.0 / periods[periods.size() / 2];
}

double Pcm::firstTimeAt(double frequency) const
{
    const QVector<double> times = risingCrossings(*this, 0, frames());
    constexpr int Run = 4;
    auto matches = [&](int i) { return std::abs(1.0 / (times[i + 1] - times[i]) - frequency) < frequency * 0.05; };
    for (int i = 0; i + Run < times.size(); ++i) {
        bool all = true;
        for (int k = 0; k < Run && all; ++k)
            all = matches(i + k);
        if (all)
            return times[i];
    }
    return -1.0;
}

Pcm readWav(const QString &path)
{
    QFile file(path);
    Pcm pcm;
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    pcm.fileSize = bytes.size();
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    char tag[4];
    if (in.readRawData(tag, 4) != 4 || qstrncmp(tag, "RIFF", 4) != 0)
        return {};
    in >> pcm.riffSize;
    if (in.readRawData(tag, 4) != 4 || qstrncmp(tag, "WAVE", 4) != 0)
        return {};
    bool haveFormat = false;
    while (!in.atEnd()) {
        quint32 size = 0;
        if (in.readRawData(tag, 4) != 4)
            return {};
        in >> size;
        if (qstrncmp(tag, "fmt ", 4) == 0) {
            quint16 formatTag = 0, channels = 0, blockAlign = 0, bits = 0;
            quint32 rate = 0, byteRate = 0;
            in >> formatTag >> channels >> rate >> byteRate >> blockAlign >> bits;
            in.skipRawData(int(size) - 16);
            if (formatTag != 1 || bits != 16)
                return {};
            pcm.channels = channels;
            pcm.sampleRate = int(rate);
            pcm.bitsPerSample = bits;
            haveFormat = true;
        } else if (qstrncmp(tag, "data", 4) == 0) {
            if (!haveFormat)
                return {};
            pcm.dataSize = size;
            const qint64 available = std::min<qint64>(size, bytes.size() - in.device()->pos());
            pcm.samples.resize(int(available / 2));
            for (qint16 &sample : pcm.samples)
                in >> sample;
            return pcm;
        } else {
            in.skipRawData(int(size + (size & 1)));
        }
    }
    return {};
}

Pcm decodeWithReference(const QString &path)
{
    const QString wav = path + QStringLiteral(".decoded.wav");
    if (!reference({"-i", path, "-c:a", "pcm_s16le", wav}))
        return {};
    return readWav(wav);
}

} // namespace enctest
