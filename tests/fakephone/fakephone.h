#pragma once

// A fake iPhone on the wire, for tests: it plays usbmuxd on a socket of its
// own and, behind it, one device that answers lockdown (with TLS after
// StartSession, as real phones do), AFC and the notification proxy. The
// device's files live in a local folder, so a test reads what a phone would
// hold. libusbmuxd finds the fake through USBMUXD_SOCKET_ADDRESS, read on
// every connect (or at /var/run/usbmuxd, given as the socket's path). Left to
// itself, libusbmuxd waits for a usbmuxd it could not reach by watching
// /var/run, whatever the address says; the real-phone module makes it try a
// given address again every second, so the fake may start after the code
// under test, and stop and start again (stop(), start()) while it runs.
//
// Every connection gets a thread of its own; all public calls are
// thread-safe. Creating a FakePhone makes the process ignore SIGPIPE: a
// client that hangs up must not kill the test.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fakephone {

// AFC status codes the fake answers with (libimobiledevice's afc_error_t).
inline constexpr uint64_t kAfcSuccess = 0;
inline constexpr uint64_t kAfcReadError = 4;
inline constexpr uint64_t kAfcInvalidArg = 7;
inline constexpr uint64_t kAfcNotFound = 8;
inline constexpr uint64_t kAfcNoSpace = 18;
inline constexpr uint64_t kAfcObjectBusy = 17;
inline constexpr uint64_t kAfcWouldBlock = 19;
inline constexpr uint64_t kAfcIoError = 20;

// What a real phone does and we could not confirm without one: each is a
// choice here, so tests can run both answers.
struct Options
{
    // TLS on the lockdown connection after StartSession ("EnableSessionSSL").
    bool sessionSsl = true;
    // Closes the lockdown connection right after answering StopSession,
    // while the client still shuts its TLS down.
    bool closeAfterStopSession = false;
    // The status for a path that does not exist (open, list, remove, rename).
    uint64_t missingPathStatus = kAfcNotFound;
    // The status for LOCK_EX on a file another connection has locked.
    uint64_t heldLockStatus = kAfcWouldBlock;
    // Whether MAKE_DIR creates the missing parents.
    bool makeFolderCreatesParents = true;
    // usbmuxd's socket: a UNIX socket by default (libusbmuxd then blocks on
    // it, which keeps the TLS handshakes quick), or TCP on 127.0.0.1.
    bool tcp = false;
    // TCP: the port; 0 picks a free one (socketAddress() names it).
    uint16_t tcpPort = 0;
    // UNIX: the socket's path (e.g. /var/run/usbmuxd in a private mount
    // namespace); empty makes one in a short folder of its own under /tmp.
    std::string socketPath;
};

// How far the phone trusts this computer.
struct Pairing
{
    // Whether usbmuxd holds a pair record for the phone (ReadPairRecord).
    bool hostHasRecord = true;
    // The phone's answer to Pair (sent when there is no record); empty
    // accepts, e.g. "PairingDialogResponsePending", "UserDeniedPairing".
    std::string pairError = "PairingDialogResponsePending";
    // The phone's answer to StartSession; empty starts the session, e.g.
    // "PasswordProtected", "InvalidHostID".
    std::string sessionError;
};

enum class Fault {
    Status,     // the operation is not done and answers with a status code
    Drop,       // the connection closes instead of the operation
    DropAfter,  // the operation is done, then the connection closes unanswered
    Unplug,      // the phone leaves instead of the operation
    UnplugAfter, // the operation is done, then the phone leaves
    UsbmuxdStops // usbmuxd ends instead of the operation (start() restarts it)
};

class FakePhone final
{
public:
    // root: the device's media folder (created when missing). Listens at once.
    explicit FakePhone(std::string root, Options options = {});
    ~FakePhone();
    FakePhone(const FakePhone &) = delete;
    FakePhone &operator=(const FakePhone &) = delete;

    // For USBMUXD_SOCKET_ADDRESS: "UNIX:/tmp/..." or "127.0.0.1:<port>".
    std::string socketAddress() const;
    const std::string &root() const;
    std::string udid() const;
    bool listening() const;

    // usbmuxd ends: its socket goes, every connection closes (listeners see
    // their phones leave), the phone stays plugged in. Not on the fake's own
    // threads.
    void stop();
    // usbmuxd starts (again) at the same address, with the same phone, files,
    // pairing and journal; a Listen gets the phone if it is plugged in. False
    // when the address cannot be had.
    bool start();

    // Plugging in: listeners get "Attached", ListDevices shows the phone.
    void plugIn();
    // Pulling out: every connection to the device closes, then listeners get
    // "Detached".
    void unplug();
    bool pluggedIn() const;
    // Listen connections open now (a subscribed client keeps one).
    int listeners() const;

    void setPairing(const Pairing &pairing);
    // The user taps Trust: usbmuxd saves a pair record and tells listeners
    // "Paired"; the next handshake starts a session.
    void trust();
    void setOptions(const Options &options); // the address is fixed at construction

    // The next AFC operations are numbered from 1; the n-th meets the fault.
    void injectAfcFault(int n, Fault fault, uint64_t status = kAfcIoError);
    void clearFault();
    bool faultFired() const;
    // AFC operations served since construction, on every connection.
    int afcOperations() const;

    // Another program holds (or releases) the lock on a file.
    void holdLock(const std::string &path, bool held);

    // What the phone saw, in order: "post:<name>" (notifications),
    // "lock:<path>", "busy:<path>", "unlock:<path>", "open-w:<path>",
    // "rename:<from>><to>", "remove:<path>", "mkdir:<path>",
    // "session:start", "session:stop", "service:<name>", "usbmuxd:stopped",
    // "usbmuxd:started".
    std::vector<std::string> journal() const;
    void clearJournal();

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace fakephone
