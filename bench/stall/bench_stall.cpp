// The longest the real main window's event loop goes without turning while
// it loads a file, from loadInputFile until the waveform is in and Generate
// is back: what the user sees as a window that does not paint or answer.
// Goal: 50 ms.
//
// For scale it also prints how long reading the waveform WAV took (the
// window's own "CreateWaveImage" line): the window used to do that read on
// its own thread, so that is the gap the same load made before it moved to
// a worker.
//
//   QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy bench_stall FILE [RUNS]
// (bench/stall/run.sh makes a 60-minute MP3 and runs it.)
#include "maindialog.h"
#include "stallprobe.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The window's diagnostics line of the last waveform read, in ms.
double lastReadMs = -1;
QtMessageHandler previousHandler = nullptr;

void catchReadTime(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    static const QRegularExpression read(QStringLiteral("^CreateWaveImage (\\d+) ms"));
    if (const auto match = read.match(message); match.hasMatch()) {
        lastReadMs = match.captured(1).toDouble();
        return;
    }
    // The rest of the diagnostics (the encoder's progress) is not ours to print.
    if (context.category && qstrcmp(context.category, "tonquill.diagnostics") == 0)
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

// Ends a local event loop when Generate comes back, which the window does
// once the waveform is in: the wait must not poll, or the benchmark would
// take a core from the encoder.
class EnabledWatcher final : public QObject
{
public:
    explicit EnabledWatcher(QEventLoop &loop)
        : m_loop(loop)
    {
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange && static_cast<QWidget *>(watched)->isEnabled())
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop &m_loop;
};

struct Run
{
    double worstGapMs = -1;
    double worstAtMs = -1;
    double callMs = -1; // loadInputFile itself: the probe and the player's open
    double readMs = -1;
    double totalMs = -1;
};

Run loadOnce(MainDialog &window, const QString &file)
{
    auto *generate = window.findChild<QPushButton *>(QStringLiteral("btnGenerate"));
    if (!generate)
        return {};
    QEventLoop loop;
    EnabledWatcher watcher(loop);
    lastReadMs = -1;
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    StallProbe probe;
    // Through the event loop, as a drop or Browse would come.
    double callMs = -1;
    QTimer::singleShot(0, &window, [&window, &file, generate, &watcher, &callMs] {
        QElapsedTimer call;
        call.start();
        window.loadInputFile(file);
        callMs = call.nsecsElapsed() / 1e6;
        generate->installEventFilter(&watcher);
    });
    loop.exec();
    generate->removeEventFilter(&watcher);
    Run run;
    run.worstGapMs = probe.longestGapMs();
    run.worstAtMs = probe.longestGapStartMs();
    run.totalMs = clock.nsecsElapsed() / 1e6;
    run.readMs = lastReadMs;
    run.callMs = callMs;
    return generate->isEnabled() ? run : Run{};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // The window's settings go to a test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [RUNS]\n", argv[0]);
        return 2;
    }
    QLoggingCategory::setFilterRules(QStringLiteral("tonquill.diagnostics.debug=true"));
    previousHandler = qInstallMessageHandler(catchReadTime);
    const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    MainDialog window;
    window.show();
    // Past the first paint and the pictures' loading, which are the start's.
    QTimer::singleShot(500, &app, &QCoreApplication::quit);
    QCoreApplication::exec();

    std::vector<double> gaps, reads;
    for (int i = 0; i < runs; ++i) {
        const Run run = loadOnce(window, file);
        if (run.worstGapMs < 0 || run.readMs < 0) {
            std::fprintf(stderr, "run %d: the waveform never came\n", i + 1);
            return 1;
        }
        std::printf("run %d: load %6.0f ms   longest gap %4.0f ms (from %5.0f ms)   loadInputFile %4.0f ms   "
                    "waveform read %5.0f ms\n",
                    i + 1, run.totalMs, run.worstGapMs, run.worstAtMs, run.callMs, run.readMs);
        std::fflush(stdout);
        gaps.push_back(run.worstGapMs);
        reads.push_back(run.readMs);
    }
    std::printf("load: longest gap between event-loop turns, median %.0f ms, worst %.0f ms (goal <= 50 ms); "
                "before, the waveform read alone held the loop for %.0f ms (median)\n",
                median(gaps), *std::max_element(gaps.begin(), gaps.end()), median(reads));
    return 0;
}
