// Times CreateWaveImage on one WAV file, as the main window calls it after a
// waveform job: a QFile not yet open, the timeline's size; once for the
// picture alone and once also keeping the zoomed timeline's fine peaks, as
// the window does.
//   bench_waveimage FILE [WIDTH HEIGHT REPEATS]
#include "waveimage.h"
#include "wavepeaks.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s FILE [WIDTH HEIGHT REPEATS]\n", argv[0]);
        return 2;
    }
    const QString path = args.at(1);
    const int width = args.size() > 2 ? args.at(2).toInt() : 530;
    const int height = args.size() > 3 ? args.at(3).toInt() : 50;
    const int repeats = args.size() > 4 ? args.at(4).toInt() : 5;
    const qint64 bytes = QFile(path).size();

    qint64 best = -1;
    qint64 bestWithPeaks = -1;
    size_t peakBytes = 0;
    // Alternately, so that both see the same machine.
    for (int run = 0; run < repeats; ++run) {
        for (const bool withPeaks : {false, true}) {
            QFile file(path);
            CWavePeaks peaks;
            QElapsedTimer timer;
            timer.start();
            const QImage image = CreateWaveImage(&file, width, height, withPeaks ? &peaks : nullptr);
            const qint64 ns = timer.nsecsElapsed();
            if (image.isNull()) {
                std::fprintf(stderr, "CreateWaveImage gave a null image\n");
                return 1;
            }
            qint64 &slot = withPeaks ? bestWithPeaks : best;
            if (slot < 0 || ns < slot)
                slot = ns;
            if (withPeaks)
                peakBytes = peaks.memoryBytes();
        }
    }

    std::printf("CreateWaveImage %dx%d on %.1f MB: best of %d %.1f ms, %.2f GB/s\n", width, height,
                bytes / 1e6, repeats, best / 1e6, double(bytes) / double(best));
    std::printf("  with the fine peaks (%.2f MB): best of %d %.1f ms, %.2f GB/s, %.2f x the picture alone\n",
                peakBytes / 1e6, repeats, bestWithPeaks / 1e6, double(bytes) / double(bestWithPeaks),
                double(bestWithPeaks) / double(best));
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %.1f MB\n", usage.ru_maxrss / 1024.0);
#endif
    return 0;
}
