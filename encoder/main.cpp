// The encoder program that the conversion job starts: decodes the best audio
// stream of one input, cuts, fades and converts it, and writes one output.
// Prints only its own lines: progress while it runs and one line on error.
#include "pipeline.h"

extern "C" {
#include <libavutil/log.h>
}

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    av_log_set_level(AV_LOG_QUIET);
#ifdef SIGXFSZ
    // Past a file size limit the default action kills the process, leaving
    // the temporary file behind and saying nothing; ignored, the write fails
    // with EFBIG and takes the ordinary error path.
    std::signal(SIGXFSZ, SIG_IGN);
#endif

    const tq::ParsedCommandLine parsed = tq::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
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
