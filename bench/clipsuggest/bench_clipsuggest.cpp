// The clip suggestion against the waveform job it follows, on the same file,
// and its memory on an hour of sound. run.sh makes the files and runs the
// three steps:
//
//   bench_clipsuggest --song SECONDS OUT.wav      generated songs, back to back
//   bench_clipsuggest --speed ENCODER FILE [RUNS] the waveform job (the encoder
//       with the window's arguments, then the picture and the fine peaks)
//       against the analysis of its WAV, alternately; medians and their ratio
//   bench_clipsuggest --memory WAV                the analysis' peak heap
#include "clipsuggest.h"
#include "songgen.h"
#include "wavepeaks.h"
#include "waveimage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <vector>

// Every allocation of the process is counted, so that the peak is the
// analysis' own (the Qt start-up before it is subtracted).
namespace {
std::atomic<size_t> g_live{0};
std::atomic<size_t> g_peak{0};

void *counted(size_t size)
{
    void *p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    const size_t now = g_live += malloc_usable_size(p);
    size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void uncounted(void *p)
{
    if (p) {
        g_live -= malloc_usable_size(p);
        std::free(p);
    }
}
} // namespace

void *operator new(size_t size) { return counted(size); }
void *operator new[](size_t size) { return counted(size); }
void operator delete(void *p) noexcept { uncounted(p); }
void operator delete[](void *p) noexcept { uncounted(p); }
void operator delete(void *p, size_t) noexcept { uncounted(p); }
void operator delete[](void *p, size_t) noexcept { uncounted(p); }

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

int writeSongs(double seconds, const QString &path)
{
    // Written a song at a time: an hour of songs never sits in memory.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    constexpr int rate = 44100;
    file.write(QByteArray(44, '\0'));
    qint64 frames = 0;
    SongOptions options;
    options.sampleRate = rate;
    for (std::uint32_t seed = 1; double(frames) / rate < seconds; ++seed) {
        const GeneratedSong song = generateSong(seed, options);
        const size_t n = std::min(song.samples.size(), size_t(seconds * rate) - size_t(frames));
        QByteArray block(qsizetype(n * 4), '\0');
        for (size_t i = 0; i < n; ++i) {
            const auto v = qint16(std::lround(std::clamp(song.samples[i], -1.0f, 1.0f) * 32767.0f));
            qToLittleEndian<qint16>(v, block.data() + i * 4);
            qToLittleEndian<qint16>(v, block.data() + i * 4 + 2);
        }
        file.write(block);
        frames += qint64(n);
    }
    // The header, now that the size is known.
    const quint32 data = quint32(frames * 4);
    QByteArray h(44, '\0');
    memcpy(h.data(), "RIFF", 4);
    qToLittleEndian<quint32>(36 + data, h.data() + 4);
    memcpy(h.data() + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h.data() + 16);
    qToLittleEndian<quint16>(1, h.data() + 20);
    qToLittleEndian<quint16>(2, h.data() + 22);
    qToLittleEndian<quint32>(rate, h.data() + 24);
    qToLittleEndian<quint32>(rate * 4, h.data() + 28);
    qToLittleEndian<quint16>(4, h.data() + 32);
    qToLittleEndian<quint16>(16, h.data() + 34);
    memcpy(h.data() + 36, "data", 4);
    qToLittleEndian<quint32>(data, h.data() + 40);
    file.seek(0);
    file.write(h);
    std::printf("%s: %.1f s of generated songs\n", qPrintable(path), double(frames) / rate);
    return 0;
}

// The waveform job as the window runs it: the encoder with the same
// arguments, then the picture and the fine peaks from its WAV.
double waveformJob(const QString &encoder, const QString &input, const QString &wav)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(encoder, {QStringLiteral("-y"), QStringLiteral("-i"), input, QStringLiteral("-vn"),
                            QStringLiteral("-ab"), QStringLiteral("192K"), QStringLiteral("-ac"), QStringLiteral("2"),
                            QStringLiteral("-ar"), QStringLiteral("44100"), QStringLiteral("-nosync"), wav});
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        std::fprintf(stderr, "the encoder failed: %s\n", process.readAll().constData());
        return -1;
    }
    QFile file(wav);
    CWavePeaks peaks;
    if (CreateWaveImage(&file, 530, 50, &peaks).isNull())
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
}

int speed(const QString &encoder, const QString &input, int runs)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("wave.wav"));
    std::vector<double> job, analysis;
    std::vector<ClipSuggestion> found;
    for (int i = 0; i < runs; ++i) {
        const double j = waveformJob(encoder, input, wav);
        if (j < 0)
            return 1;
        job.push_back(j);
        QElapsedTimer timer;
        timer.start();
        found = suggestClipsFromWave(wav, 30.0);
        analysis.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    if (found.empty())
        return 1;
    std::printf("suggested: %.2f-%.2f s (%s)\n", found.front().start, found.front().end,
                found.front().kind == ClipSuggestion::Chorus ? "chorus" : "loudest stretch");
    const double mj = median(job), ma = median(analysis);
    std::printf("waveform job: median of %d %.1f ms\n", runs, mj);
    std::printf("analysis:     median of %d %.1f ms\n", runs, ma);
    std::printf("ratio analysis / waveform job: %.3f (target at most 0.100)\n", ma / mj);
    return 0;
}

// A field of /proc/self/status in kB (Linux); -1 elsewhere.
long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

int memory(const QString &wav)
{
    const long rssBefore = statusKb("VmRSS:");
    const size_t before = g_live.load();
    g_peak = before;
    QElapsedTimer timer;
    timer.start();
    const auto found = suggestClipsFromWave(wav, 30.0);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (found.empty())
        return 1;
    const double mb = double(g_peak.load() - before) / (1024.0 * 1024.0);
    std::printf("analysis of %s: %.0f ms, peak heap %.2f MB (target under 10 MB)\n", qPrintable(wav), ms, mb);
    // The resident set's peak over what the process held before: the heap
    // plus the code and tables the analysis touched first.
    const long hwm = statusKb("VmHWM:");
    if (rssBefore >= 0 && hwm >= 0)
        std::printf("peak resident set above the start: %.2f MB\n", double(hwm - rssBefore) / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args[1] == QLatin1String("--song"))
        return writeSongs(args[2].toDouble(), args[3]);
    if (args.size() >= 4 && args[1] == QLatin1String("--speed"))
        return speed(args[2], args[3], args.size() > 4 ? args[4].toInt() : 5);
    if (args.size() >= 3 && args[1] == QLatin1String("--memory"))
        return memory(args[2]);
    std::fprintf(stderr, "usage: bench_clipsuggest --song SECONDS OUT.wav | --speed ENCODER FILE [RUNS] | --memory WAV\n");
    return 2;
}
