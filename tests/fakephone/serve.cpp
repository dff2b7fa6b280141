// The fake iPhone as a program of its own, for scripts that start another
// program against it (the packaged Tonquill, the Windows build under Wine): it
// plugs one phone, whose files live in ROOT, into a usbmuxd socket of its
// own, prints
//   listening <address for USBMUXD_SOCKET_ADDRESS>
// once clients can connect, and serves until SIGTERM, SIGINT or SIGHUP, when
// it closes every connection and removes its socket.
//   fakephone_serve [--tcp PORT | --socket PATH] ROOT
// --tcp listens on 127.0.0.1:PORT (0 picks a free port; the line names it),
// --socket on a UNIX socket at PATH; by default on one in a folder of its own
// under /tmp. SIGUSR1 stops usbmuxd as a real one ends (the phone stays
// plugged in; prints "stopped"), SIGUSR2 starts it again at the same address
// with the same phone (prints the "listening" line again).
#include "fakephone.h"

#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage(const char *program)
{
    std::fprintf(stderr, "usage: %s [--tcp PORT | --socket PATH] ROOT\n", program);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    fakephone::Options options;
    int at = 1;
    for (; at + 1 < argc && std::strncmp(argv[at], "--", 2) == 0; at += 2) {
        const std::string option = argv[at];
        if (option == "--tcp") {
            char *end = nullptr;
            const long port = std::strtol(argv[at + 1], &end, 10);
            if (!*argv[at + 1] || *end || port < 0 || port > 65535)
                return usage(argv[0]);
            options.tcp = true;
            options.tcpPort = uint16_t(port);
        } else if (option == "--socket") {
            options.socketPath = argv[at + 1];
        } else {
            return usage(argv[0]);
        }
    }
    if (at + 1 != argc || (options.tcp && !options.socketPath.empty()))
        return usage(argv[0]);

    // Blocked before the fake starts its threads, which inherit the mask: the
    // signals then reach only the sigwait() below, and the fake's destructor
    // gets to remove the socket.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGHUP);
    sigset_t waited = stop;
    sigaddset(&waited, SIGUSR1);
    sigaddset(&waited, SIGUSR2);
    pthread_sigmask(SIG_BLOCK, &waited, nullptr);

    fakephone::FakePhone phone(argv[at], options);
    if (!phone.listening()) {
        std::fprintf(stderr, "fakephone_serve: cannot listen on a socket for usbmuxd\n");
        return 1;
    }
    // Plugged in before anyone listens: a client's Listen gets the phone's
    // Attached at once, as from a usbmuxd with a phone already on the bus.
    phone.plugIn();
    std::printf("listening %s\n", phone.socketAddress().c_str());
    std::fflush(stdout);

    for (;;) {
        int received = 0;
        sigwait(&waited, &received);
        if (sigismember(&stop, received)) {
            std::printf("stopped by signal %d\n", received);
            return 0;
        }
        if (received == SIGUSR1) {
            phone.stop();
            std::printf("stopped\n");
        } else if (phone.start()) {
            std::printf("listening %s\n", phone.socketAddress().c_str());
        } else {
            std::printf("cannot listen at %s again\n", phone.socketAddress().c_str());
        }
        std::fflush(stdout);
    }
}
