// Times CreateWaveImage on one WAV file, as the main window calls it after a
// waveform job: a QFile not yet open, the timeline's size.
//   bench_waveimage FILE [WIDTH HEIGHT REPEATS]
#include "waveimage.h"

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
    for (int run = 0; run < repeats; ++run) {
        QFile file(path);
        QElapsedTimer timer;
        timer.start();
        const QImage image = CreateWaveImage(&file, width, height);
        const qint64 ns = timer.nsecsElapsed();
        if (image.isNull()) {
            std::fprintf(stderr, "CreateWaveImage gave a null image\n");
            return 1;
        }
        if (best < 0 || ns < best)
            best = ns;
    }

    std::printf("CreateWaveImage %dx%d on %.1f MB: best of %d %.1f ms, %.2f GB/s\n", width, height,
                bytes / 1e6, repeats, best / 1e6, double(bytes) / double(best));
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %.1f MB\n", usage.ru_maxrss / 1024.0);
#endif
    return 0;
}
