// Starts two programs alternately, each timing itself to its first paint
// (see probe.cpp), and prints the medians and their ratio.
//
//   startup_bench PROGRAM REFERENCE [RUNS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long long monotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Milliseconds from just before the fork to the child's first paint; -1 on failure.
double timeOnce(const char *program)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const long long started = monotonicNow();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string out;
    char buffer[64];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (out.empty())
        return -1;
    return double(std::atoll(out.c_str()) - started) / 1e6;
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
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM REFERENCE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    // One untimed start of each warms the page cache and font caches.
    timeOnce(argv[1]);
    timeOnce(argv[2]);
    std::vector<double> program, reference;
    for (int i = 0; i < runs; ++i) {
        const double p = timeOnce(argv[1]);
        const double r = timeOnce(argv[2]);
        if (p < 0 || r < 0) {
            std::fprintf(stderr, "a run did not report its first paint\n");
            return 1;
        }
        program.push_back(p);
        reference.push_back(r);
    }
    // Noise only ever adds time, so the fastest run is the steadiest figure;
    // the median shows what a typical start costs.
    const double p = median(program), r = median(reference);
    const double pBest = *std::min_element(program.begin(), program.end());
    const double rBest = *std::min_element(reference.begin(), reference.end());
    std::printf("start to first paint over %d runs      median    fastest\n", runs);
    std::printf("  tonquill                        %8.1f ms %8.1f ms\n", p, pBest);
    std::printf("  minimal window                  %8.1f ms %8.1f ms\n", r, rBest);
    std::printf("  ratio (goal: at most 1.50)      %8.2f    %8.2f\n", p / r, pBest / rBest);
    return 0;
}
