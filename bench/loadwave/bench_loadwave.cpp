// Times what a user waits for: from loadInputFile to the waveform painted in
// the timeline, in the real main window, against /usr/bin/ffmpeg decoding the
// same file to WAV, alternately in the same run. Prints the medians and the
// median of the per-pair ratios.
//
//   QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy bench_loadwave FILE [PAIRS]
// (bench/loadwave/run.sh makes a 60-minute MP3 and runs it.)
#include "maindialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Ends a local event loop when the timeline is shown: the wait must not
// poll, or the benchmark would take a core from the encoder it times.
class ShownWatcher final : public QObject
{
public:
    explicit ShownWatcher(QEventLoop &loop)
        : m_loop(loop)
    {
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop &m_loop;
};

// Milliseconds from loadInputFile to the timeline painted with its
// waveform; -1 if it never came. The timeline is hidden while the file
// loads and shown, with its picture set in the same slot, when the waveform
// job ends.
double loadOnce(MainDialog &window, const QString &file)
{
    auto *timeline = window.findChild<QWidget *>(QStringLiteral("sliderBar"));
    if (!timeline)
        return -1;
    QEventLoop loop;
    ShownWatcher watcher(loop);
    timeline->installEventFilter(&watcher);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    window.loadInputFile(file);
    if (!timeline->isVisible())
        loop.exec();
    timeline->removeEventFilter(&watcher);
    if (!timeline->isVisible())
        return -1;
    // The paint the user sees.
    const QImage painted = timeline->grab().toImage();
    const double elapsed = timer.nsecsElapsed() / 1e6;
    // A timeline without a waveform is one colour from end to end.
    const QRgb corner = painted.pixel(0, 0);
    bool drawn = false;
    for (int x = 0; x < painted.width() && !drawn; x += 3)
        drawn = painted.pixel(x, painted.height() / 2) != corner;
    return drawn ? elapsed : -1;
}

double referenceOnce(const QString &file, const QString &output)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(QStringLiteral("/usr/bin/ffmpeg"),
                  {"-nostdin", "-loglevel", "error", "-y", "-i", file, "-f", "wav", output});
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return -1;
    const double elapsed = timer.nsecsElapsed() / 1e6;
    QFile::remove(output);
    return elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    // The window's settings go to a test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [PAIRS]\n", argv[0]);
        return 2;
    }
    const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const int pairs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QTemporaryDir scratch;
    const QString output = scratch.filePath(QStringLiteral("out.wav"));

    MainDialog window;
    window.show();
    QCoreApplication::processEvents();
    std::vector<double> ours, reference, ratios;
    for (int i = 0; i < pairs; ++i) {
        const double o = loadOnce(window, file);
        const double r = referenceOnce(file, output);
        if (o < 0 || r < 0) {
            std::fprintf(stderr, "run %d failed (window %.0f ms, ffmpeg %.0f ms)\n", i + 1, o, r);
            return 1;
        }
        std::printf("pair %2d: window %8.0f ms   ffmpeg %8.0f ms   ratio %.2f\n", i + 1, o, r, o / r);
        std::fflush(stdout);
        ours.push_back(o);
        reference.push_back(r);
        ratios.push_back(o / r);
    }
    std::printf("load to waveform: median %.0f ms; ffmpeg -f wav: median %.0f ms; ratio (median of pairs) %.2f "
                "(goal <= 0.6)\n",
                median(ours), median(reference), median(ratios));
    return 0;
}
