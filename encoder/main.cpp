// The encoder program that the conversion job starts: decodes the best audio
// stream of one input, cuts, fades and converts it, and writes one output.
// Prints only its own lines: progress while it runs and one line on error.
#include "pipeline.h"

extern "C" {
#include <libavutil/log.h>
}

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

// The conversion job passes names in UTF-16; argv would hold them in the
// ANSI code page, losing what it cannot represent. libav* wants UTF-8.
static std::vector<std::string> arguments(int, char *[])
{
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 1 ? size - 1 : 0, '\0');
        if (size > 1)
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
}
#else
static std::vector<std::string> arguments(int argc, char *argv[])
{
    return std::vector<std::string>(argv + 1, argv + argc);
}
#endif

int main(int argc, char *argv[])
{
    av_log_set_level(AV_LOG_QUIET);
#ifdef SIGXFSZ
    // Past a file size limit the default action kills the process, leaving
    // the temporary file behind and saying nothing; ignored, the write fails
    // with EFBIG and takes the ordinary error path.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The program that started us may stop a job (its window closes): finish
    // through the ordinary error path, which removes the temporary file.
    std::signal(SIGTERM, [](int) { tq::requestStop(); });
    std::signal(SIGINT, [](int) { tq::requestStop(); });

    const tq::ParsedCommandLine parsed = tq::parseCommandLine(arguments(argc, argv));
    if (!parsed.options) {
        std::fprintf(stderr, "%s\n", parsed.error.c_str());
        return tq::ExitUsage;
    }

    const tq::Error error = tq::transcode(*parsed.options, [](const tq::Progress &progress) {
        std::fprintf(stderr, "%s\n", tq::formatProgress(progress).c_str());
        std::fflush(stderr);
    });
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return tq::ExitFailure;
    }
    return 0;
}
