// The encoder program that the conversion job starts: decodes the best audio
// stream of one input, cuts, fades and converts it, and writes one output.
// Prints only its own lines: progress while it runs and one line on error.
#include "pipeline.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <pthread.h>
#include <unistd.h>
#endif

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

namespace {

#ifndef _WIN32
pthread_t mainThread;

// Stops the job. Installed without SA_RESTART, so that a system call the
// main thread is blocked in (the open of a named pipe nobody writes to, a
// read from a silent one) fails with EINTR, and the input's interrupt
// callback then gives it up instead of trying again.
void onStopSignal(int)
{
    const int savedErrno = errno;
    tq::requestStop();
    // Any thread may take a process-wide signal; the one that is blocked in
    // the open is the main thread.
    if (!pthread_equal(pthread_self(), mainThread))
        pthread_kill(mainThread, SIGALRM);
    // A signal that came just before a call began to block interrupted
    // nothing: until the program ends, interrupt again every second.
    alarm(1);
    errno = savedErrno;
}

void installSignalHandlers()
{
    mainThread = pthread_self();
    struct sigaction action = {};
    sigemptyset(&action.sa_mask);
    // Past a file size limit the default action kills the process, leaving
    // the temporary file behind and saying nothing; ignored, the write fails
    // with EFBIG and takes the ordinary error path. Without SIGPIPE a reader
    // of our output that went away gives EPIPE, which stops the job below.
    action.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &action, nullptr);
    sigaction(SIGPIPE, &action, nullptr);
    // The program that started us stops a job (its window closes, or it
    // was told to end, or it died: it asks for SIGTERM at its death):
    // finish through the ordinary error path, which removes the temporary
    // file.
    action.sa_handler = &onStopSignal;
    action.sa_flags = 0;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGALRM})
        sigaction(signal, &action, nullptr);
}
#else
void installSignalHandlers()
{
    std::signal(SIGTERM, [](int) { tq::requestStop(); });
    std::signal(SIGINT, [](int) { tq::requestStop(); });
}
#endif

// One line on the error stream, the only output the program makes. When
// whoever reads it has gone (the window that started us crashed, a pipe into
// `head`), nobody is waiting for the result: the job stops as on a stop
// request.
void say(const std::string &line)
{
    if (std::fprintf(stderr, "%s\n", line.c_str()) < 0 || std::fflush(stderr) != 0) {
        if (errno == EPIPE)
            tq::requestStop();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    av_log_set_level(AV_LOG_QUIET);
    installSignalHandlers();

    const tq::ParsedCommandLine parsed = tq::parseCommandLine(arguments(argc, argv));
    if (!parsed.options) {
        say(parsed.error);
        return tq::ExitUsage;
    }

    tq::Error error = tq::transcode(*parsed.options, [](const tq::Progress &progress) {
        say(tq::formatProgress(progress));
    });
    if (!error.empty()) {
        // Whatever failed after a stop request failed because of it (a read
        // that the stop signal interrupted).
        if (tq::stopRequested())
            error = "Stopped before output file '" + parsed.options->outputPath + "' was complete";
        say(error);
        return tq::ExitFailure;
    }
    return 0;
}
