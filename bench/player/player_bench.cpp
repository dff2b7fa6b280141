// Preview player figures: how long after ffplay_play and ffplay_seek the
// first samples of the asked-for position reach the output, and how much CPU
// playing an MP3 costs. run_player_bench.sh makes the media files.
//
//   player_bench <ramp.wav> <am.mp3> [cpu seconds]
//
// ramp.wav holds 0.2 * t at every sample (the value tells the position
// exactly); am.mp3 is a 1 kHz tone whose amplitude is 0.05 * t (a lossy
// codec keeps an envelope, not a level).
#include "ffplay.h"
#include "playertest.h"

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 20;

// Watches the output for the first buffer that matches the awaited position.
class Watch
{
public:
    Watch()
    {
        player::setOutputTap([this](const float *samples, int frames, int channels) {
            std::lock_guard lock(m_mutex);
            if (!m_match || m_seen)
                return;
            if (m_match(samples, frames, channels)) {
                m_seenAt = Clock::now();
                m_seen = true;
            }
        });
    }
    ~Watch() { player::setOutputTap({}); }

    void expect(std::function<bool(const float *, int, int)> match)
    {
        std::lock_guard lock(m_mutex);
        m_match = std::move(match);
        m_seen = false;
    }
    // Milliseconds from `since` to the matching buffer, or -1 after 2 s.
    double waitMs(Clock::time_point since)
    {
        for (int i = 0; i < 2000; ++i) {
            {
                std::lock_guard lock(m_mutex);
                if (m_seen)
                    return std::chrono::duration<double, std::milli>(m_seenAt - since).count();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return -1;
    }

private:
    std::mutex m_mutex;
    std::function<bool(const float *, int, int)> m_match;
    bool m_seen = false;
    Clock::time_point m_seenAt;
};

std::function<bool(const float *, int, int)> rampAt(double seconds)
{
    return [seconds](const float *s, int frames, int channels) {
        for (int i = 0; i < frames; ++i) {
            if (std::fabs(s[i * channels] / 0.2 - seconds) < 0.010)
                return true;
        }
        return false;
    };
}

std::function<bool(const float *, int, int)> envelopeAt(double seconds)
{
    return [seconds](const float *s, int frames, int channels) {
        float peak = 0;
        for (int i = 0; i < frames; ++i)
            peak = std::max(peak, std::fabs(s[i * channels]));
        return std::fabs(peak / 0.05 - seconds) < 1.0;
    };
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

void report(const char *what, const std::vector<double> &ms)
{
    const double worst = ms.empty() ? -1 : *std::max_element(ms.begin(), ms.end());
    std::printf("%-34s median %6.1f ms  worst %6.1f ms  (goal <= 30 ms, %d runs)\n", what,
                median(ms), worst, static_cast<int>(ms.size()));
}

using Matcher = std::function<std::function<bool(const float *, int, int)>(double)>;

std::vector<double> latencyFromPlay(const char *path, const Matcher &match, double a, double b)
{
    ffplay_open(path, 0, 0);
    Watch watch;
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const double target = run % 2 ? a : b;
        ffplay_seek(target);
        watch.expect(match(target));
        const auto start = Clock::now();
        ffplay_play();
        ms.push_back(watch.waitMs(start));
        ffplay_stop();
        // Jitter the next start against the device's period.
        std::this_thread::sleep_for(std::chrono::milliseconds(50 + 7 * run));
    }
    return ms;
}

std::vector<double> latencyFromSeek(const char *path, const Matcher &match, double a, double b)
{
    ffplay_open(path, 0, 0);
    Watch watch;
    ffplay_play();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const double target = run % 2 ? a : b;
        watch.expect(match(target));
        const auto start = Clock::now();
        ffplay_seek(target);
        ms.push_back(watch.waitMs(start));
        // Jitter the moment of the next seek against the device's period.
        std::this_thread::sleep_for(std::chrono::milliseconds(60 + 7 * run));
    }
    ffplay_stop();
    return ms;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
           + 1e-6 * (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

void cpuWhilePlaying(const char *path, double seconds)
{
    ffplay_open(path, 0, 0);
    ffplay_play();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const double cpuStart = cpuSeconds();
    const auto wallStart = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double cpu = cpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
    std::printf("%-34s %6.2f %% of one core over %.1f s  (goal < 3 %%)\n", "CPU while playing the MP3",
                100.0 * cpu / wall, wall);
    ffplay_stop();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ramp.wav am.mp3 [cpu seconds]\n", argv[0]);
        return 2;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const double cpuSecondsWanted = argc > 3 ? std::atof(argv[3]) : 10.0;
    ffplay_init();

    report("WAV: ffplay_play to the position", latencyFromPlay(argv[1], rampAt, 1.0, 3.0));
    std::printf("(output: %s at %d Hz)\n", player::outputKind().c_str(), player::outputSampleRate());
    report("WAV: ffplay_seek to the position", latencyFromSeek(argv[1], rampAt, 1.0, 3.0));
    report("MP3: ffplay_play to the position", latencyFromPlay(argv[2], envelopeAt, 3.0, 12.0));
    report("MP3: ffplay_seek to the position", latencyFromSeek(argv[2], envelopeAt, 3.0, 12.0));
    cpuWhilePlaying(argv[2], cpuSecondsWanted);
    return 0;
}
