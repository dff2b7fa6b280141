#include "termination.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX

namespace {

// The self-pipe: the handler may only write a byte; the event loop reads it
// and ends itself from the GUI thread.
int wakeFds[2] = {-1, -1};

void onTerminationSignal(int signal)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // Full pipe: a signal is already on its way, nothing is lost.
    [[maybe_unused]] const ssize_t ignored = ::write(wakeFds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

void ignoreBrokenPipes()
{
    struct sigaction action = {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGPIPE, &action, nullptr);
}

void quitOnTerminationSignals()
{
    if (wakeFds[0] >= 0 || ::pipe(wakeFds) != 0)
        return;
    for (const int fd : wakeFds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    auto *notifier = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        unsigned char byte = 0;
        if (::read(wakeFds[0], &byte, 1) != 1)
            return;
        // exit(), not quit(): quit() first asks every window to close, and a
        // window may refuse; the job must end whatever is open, modal dialogs
        // included (exit() ends their loops too).
        QCoreApplication::exit(128 + byte);
    });

    struct sigaction action = {};
    action.sa_handler = &onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: one signal ends the program cleanly; should the ending
    // hang, a second one ends it the default way. SA_RESTART keeps Qt's and
    // the libraries' system calls from failing with EINTR.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        // Ignored when we started (nohup, a shell's background job): left so.
        struct sigaction previous = {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

#else

// Windows has no SIGPIPE; a console's Ctrl+C is not how a window program ends.
void ignoreBrokenPipes() {}
void quitOnTerminationSignals() {}

#endif
