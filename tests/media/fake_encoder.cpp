// Stand-in for the encoder program in the conversion job's tests. Records its
// arguments and replays scripted console output; driven by the environment:
//   TQ_FAKE_ENCODER_ARGS      file that receives the arguments, one per line
//   TQ_FAKE_ENCODER_PID       file that receives the process id
//   TQ_FAKE_ENCODER_CHUNKS    folder of output chunks, replayed in name order;
//                             names ending in ".err" go to the error stream
//   TQ_FAKE_ENCODER_PAUSE_MS  pause before every chunk but the first
//   TQ_FAKE_ENCODER_EXIT      exit code, or "crash"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

static const char *env(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value ? value : nullptr;
}

int main(int argc, char **argv)
{
    if (const char *path = env("TQ_FAKE_ENCODER_ARGS")) {
        std::ofstream out(path, std::ios::binary);
        for (int i = 1; i < argc; ++i)
            out << argv[i] << '\n';
    }
    if (const char *path = env("TQ_FAKE_ENCODER_PID")) {
        std::ofstream out(path, std::ios::binary);
        out << getpid() << '\n';
    }

    const int pauseMs = env("TQ_FAKE_ENCODER_PAUSE_MS") ? std::atoi(env("TQ_FAKE_ENCODER_PAUSE_MS")) : 0;
    if (const char *dir = env("TQ_FAKE_ENCODER_CHUNKS")) {
        std::vector<fs::path> chunks;
        for (const auto &entry : fs::directory_iterator(dir))
            chunks.push_back(entry.path());
        std::sort(chunks.begin(), chunks.end());
        bool first = true;
        for (const auto &chunk : chunks) {
            if (!first && pauseMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            first = false;
            std::ifstream in(chunk, std::ios::binary);
            const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            FILE *stream = chunk.extension() == ".err" ? stderr : stdout;
            std::fwrite(data.data(), 1, data.size(), stream);
            std::fflush(stream);
        }
    }

    const char *exitCode = env("TQ_FAKE_ENCODER_EXIT");
    if (exitCode && std::string(exitCode) == "crash")
        std::abort();
    return exitCode ? std::atoi(exitCode) : 0;
}
