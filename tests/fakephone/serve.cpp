// The fake iPhone as a program of its own, for scripts that start another
// program against it (the packaged Tonquill): it plugs one phone, whose files
// live in ROOT, into a usbmuxd socket of its own, prints
//   listening <address for USBMUXD_SOCKET_ADDRESS>
// once clients can connect, and serves until SIGTERM, SIGINT or SIGHUP, when
// it closes every connection and removes its socket.
//   fakephone_serve ROOT
#include "fakephone.h"

#include <pthread.h>
#include <signal.h>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ROOT\n", argv[0]);
        return 2;
    }
    // Blocked before the fake starts its threads, which inherit the mask: the
    // signal then reaches only the sigwait() below, and the fake's destructor
    // gets to remove the socket.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    fakephone::FakePhone phone(argv[1]);
    if (!phone.listening()) {
        std::fprintf(stderr, "fakephone_serve: cannot listen on a socket for usbmuxd\n");
        return 1;
    }
    // Plugged in before anyone listens: a client's Listen gets the phone's
    // Attached at once, as from a usbmuxd with a phone already on the bus.
    phone.plugIn();
    std::printf("listening %s\n", phone.socketAddress().c_str());
    std::fflush(stdout);

    int received = 0;
    sigwait(&stop, &received);
    std::printf("stopped by signal %d\n", received);
    return 0;
}
