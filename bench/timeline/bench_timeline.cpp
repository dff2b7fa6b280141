// The zoomed timeline's two budgets, on a two-hour film's worth of peaks
// (44.1 kHz stereo, a tone whose loudness wanders, fed the way the WAV
// reader feeds them):
//  - memory of the peaks against the 8 MB goal;
//  - one repaint of the 530 x 50 timeline at several zooms, each showing a
//    new stretch (the worst case: every paint of a zoom or pan gesture draws
//    the waveform anew), and the same view again, against the 2 ms goal and
//    against the whole-file repaint of the same run.
//
//   QT_QPA_PLATFORM=offscreen bench_timeline [REPEATS]
#include "clipslider.h"
#include "wavepeaks.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr double kFilm = 7200.0;
constexpr int kRate = 44100;

std::shared_ptr<CWavePeaks> filmPeaks()
{
    auto peaks = std::make_shared<CWavePeaks>();
    peaks->begin(kRate, 2);
    // One minute at a time, as the reader's blocks come.
    std::vector<qint16> block(size_t(kRate) * 2 * 60);
    for (int minute = 0; minute < int(kFilm / 60); ++minute) {
        for (size_t i = 0; i < block.size() / 2; ++i) {
            const double t = minute * 60.0 + double(i) / kRate;
            const double level = 0.5 + 0.45 * std::sin(2 * M_PI * t / 37.0);
            block[2 * i] = block[2 * i + 1] = qint16(20000 * level * std::sin(2 * M_PI * 220 * t));
        }
        peaks->add16(block.data(), block.size());
    }
    peaks->finish();
    return peaks;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 200;

    QElapsedTimer clock;
    clock.start();
    const auto peaks = filmPeaks();
    const double buildMs = clock.nsecsElapsed() / 1e6;
    const double mb = peaks->memoryBytes() / (1024.0 * 1024.0);
    std::printf("peaks of a 2-hour film: %.2f MB (goal 8 MB, ratio %.2f), %zu spans, %zu levels, made and fed in %.0f ms\n", mb,
                mb / 8.0, peaks->pyramid().front().size(), peaks->pyramid().size(), buildMs);

    CClipSlider slider;
    slider.resize(530, 50);
    slider.setRange(0, kFilm);
    slider.setClip(1000, 1030);
    slider.setPos(1015);
    slider.setWaveImage(peaks->render(0, kFilm, 530, 50));
    slider.setWaveRenderer([peaks](double from, double to, int width, int height) {
        return peaks->render(from, to, width, height);
    });
    slider.show();
    QApplication::processEvents();

    auto time = [&](auto &&before) {
        std::vector<double> ms;
        for (int i = 0; i < repeats; ++i) {
            before(i);
            clock.restart();
            slider.repaint();
            ms.push_back(clock.nsecsElapsed() / 1e6);
        }
        return median(ms);
    };

    slider.showWholeFile();
    const double whole = time([](int) {});
    std::printf("%-34s %7.3f ms\n", "whole file (reference)", whole);

    struct Zoom
    {
        const char *name;
        double length;
    };
    const Zoom zooms[] = {{"half the film", kFilm / 2}, {"ten minutes", 600}, {"one minute", 60},
                          {"ten seconds", 10}, {"10 ms a column", 5.3}};
    double worst = 0;
    for (const Zoom &z : zooms) {
        // A new stretch every paint: the view slides by a third of itself.
        const double moving = time([&](int i) {
            const double start = std::fmod(1000.0 + i * z.length / 3, kFilm - z.length);
            slider.setView({start, z.length});
        });
        slider.setView({1000, z.length});
        const double still = time([](int) {});
        worst = std::max(worst, moving);
        std::printf("%-20s new view %7.3f ms, same view %7.3f ms  (new view / whole file %.2f)\n", z.name,
                    moving, still, moving / whole);
    }
    std::printf("worst repaint at any zoom: %.3f ms (goal 2 ms, ratio %.2f)\n", worst, worst / 2.0);
    return 0;
}
