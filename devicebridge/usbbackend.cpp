// Real phones through usbmuxd and libimobiledevice: device events arrive on
// libusbmuxd's thread and are queued; everything else (the lockdown
// handshake, starting the AFC and notification services, telling why a
// phone could not be reached) runs on the bridge's thread. AFC calls then
// run on the caller's thread, serialised by the bridge.
#ifdef _WIN32
// Before anything that brings windows.h, which would pull in the old
// winsock.h.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <setupapi.h>
#endif

#include "backend.h"
#include "devicebridge.h"
#include "transport.h"
#include "usbphone.h"

#include <libimobiledevice/afc.h>
#include <libimobiledevice/libimobiledevice.h>
#include <libimobiledevice/lockdown.h>
#include <libimobiledevice/notification_proxy.h>

#include <usbmuxd.h>

#ifndef _WIN32
#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string_view>
#include <utility>

namespace tqbridge {

PhoneFailure failureFromLockdown(int lockdownError)
{
    switch (lockdownError) {
    case LOCKDOWN_E_SUCCESS:
        return PhoneFailure::None;
    case LOCKDOWN_E_PASSWORD_PROTECTED:
        return PhoneFailure::Locked;
    case LOCKDOWN_E_PAIRING_DIALOG_RESPONSE_PENDING:
        return PhoneFailure::TrustPending;
    case LOCKDOWN_E_USER_DENIED_PAIRING:
        return PhoneFailure::TrustRefused;
    case LOCKDOWN_E_INVALID_HOST_ID:
    case LOCKDOWN_E_MISSING_PAIR_RECORD:
    case LOCKDOWN_E_INVALID_PAIR_RECORD:
    case LOCKDOWN_E_INVALID_CONF:
    case LOCKDOWN_E_PAIRING_FAILED:
        return PhoneFailure::NotPaired;
    default:
        // Mux errors, time-outs, a TLS handshake cut short: the cable or the
        // phone's side may do better on the next try.
        return PhoneFailure::Other;
    }
}

const char *failureEvent(PhoneFailure failure)
{
    switch (failure) {
    case PhoneFailure::None:
        return nullptr;
    case PhoneFailure::NoService:
        return DEVICE_EVENT_NO_SERVICE;
    case PhoneFailure::Locked:
        return DEVICE_EVENT_LOCKED;
    case PhoneFailure::TrustPending:
        return DEVICE_EVENT_TRUST_PENDING;
    case PhoneFailure::TrustRefused:
        return DEVICE_EVENT_TRUST_REFUSED;
    case PhoneFailure::NotPaired:
        return DEVICE_EVENT_NOT_PAIRED;
    case PhoneFailure::NoFileService:
        return DEVICE_EVENT_NO_FILE_SERVICE;
    case PhoneFailure::Other:
        break;
    }
    return DEVICE_EVENT_INIT_FAILED;
}

int resultFromAfcError(int afcError)
{
    switch (afcError) {
    case AFC_E_SUCCESS:
        return Ok;
    case AFC_E_OBJECT_NOT_FOUND:
        return ErrNotFound;
    case AFC_E_NO_SPACE_LEFT:
        return ErrNoSpace;
    case AFC_E_PERM_DENIED:
        return ErrPermission;
    case AFC_E_OP_WOULD_BLOCK:
    case AFC_E_OBJECT_BUSY:
        return ErrBusy;
    case AFC_E_MUX_ERROR:
    case AFC_E_SERVICE_NOT_CONNECTED:
        return ErrNoPhone;
    case AFC_E_INVALID_ARG:
        return ErrInvalid;
    default:
        return ErrIo;
    }
}

bool iPhoneOnUsb(const std::string &devicesFolder)
{
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(devicesFolder, error)) {
        const auto readHex = [&entry](const char *name) {
            std::ifstream file(entry.path() / name);
            unsigned value = 0;
            if (!(file >> std::hex >> value))
                return ~0u;
            return value;
        };
        if (readHex("idVendor") != 0x05ac)
            continue;
        const unsigned product = readHex("idProduct");
        if (product >= 0x1290 && product <= 0x12af)
            return true;
    }
    return false;
}

bool isIPhoneHardwareId(std::string_view id)
{
    const std::string_view prefix = "USB\\VID_05AC&PID_";
    if (id.size() < prefix.size() + 4)
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(id[i])) != prefix[i])
            return false;
    unsigned product = 0;
    for (size_t i = prefix.size(); i < prefix.size() + 4; ++i) {
        const int c = std::tolower(static_cast<unsigned char>(id[i]));
        if (!std::isxdigit(c))
            return false;
        product = product * 16 + unsigned(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    // Four digits exactly: "PID_12A8&REV_..." or the end.
    if (id.size() > prefix.size() + 4 && id[prefix.size() + 4] != '&')
        return false;
    return product >= 0x1290 && product <= 0x12af;
}

#ifdef _WIN32
bool iPhonePlugged()
{
    // Windows itself lists a plugged-in iPhone, with or without Apple's
    // driver and service.
    const HDEVINFO devices = SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    if (devices == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; !found && SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        // A list of strings, each ended by a NUL, the list by another.
        char ids[2048] = {};
        if (!SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_HARDWAREID, nullptr,
                                               reinterpret_cast<BYTE *>(ids), sizeof ids - 2, nullptr))
            continue;
        for (const char *id = ids; *id && !found; id += std::strlen(id) + 1)
            found = isIPhoneHardwareId(id);
    }
    SetupDiDestroyDeviceInfoList(devices);
    return found;
}

// Whether Apple's mobile device service listens where libusbmuxd looks for
// it on Windows: 127.0.0.1:27015, or USBMUXD_SOCKET_ADDRESS as host:port
// ("UNIX:" addresses mean nothing there).
static bool usbmuxdSocketAnswers()
{
    std::string address = "127.0.0.1:27015";
    if (const char *set = std::getenv("USBMUXD_SOCKET_ADDRESS"); set && *set && std::strncmp(set, "UNIX:", 5) != 0)
        address = set;
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    const size_t colon = address.rfind(':');
    if (!started || colon == std::string::npos)
        return false;
    std::string host = address.substr(0, colon);
    // "[::1]:27015", as libusbmuxd takes an IPv6 address.
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (getaddrinfo(host.c_str(), address.substr(colon + 1).c_str(), &hints, &found) != 0)
        return false;
    bool answered = false;
    for (addrinfo *at = found; at && !answered; at = at->ai_next) {
        const SOCKET s = socket(at->ai_family, at->ai_socktype, at->ai_protocol);
        if (s == INVALID_SOCKET)
            continue;
        answered = connect(s, at->ai_addr, int(at->ai_addrlen)) == 0;
        closesocket(s);
    }
    freeaddrinfo(found);
    return answered;
}
#else
bool iPhonePlugged()
{
    return iPhoneOnUsb("/sys/bus/usb/devices");
}

// Whether usbmuxd listens where libusbmuxd looks for it:
// USBMUXD_SOCKET_ADDRESS ("UNIX:/path" or "host:port"), else its usual socket.
static bool usbmuxdSocketAnswers()
{
    std::string address = "UNIX:/var/run/usbmuxd";
    if (const char *set = std::getenv("USBMUXD_SOCKET_ADDRESS"); set && *set)
        address = set;
    int fd = -1;
    if (address.rfind("UNIX:", 0) == 0) {
        sockaddr_un name{};
        name.sun_family = AF_UNIX;
        const std::string path = address.substr(5);
        if (path.empty() || path.size() >= sizeof name.sun_path)
            return false;
        std::memcpy(name.sun_path, path.c_str(), path.size() + 1);
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&name), sizeof name) != 0) {
            ::close(fd);
            fd = -1;
        }
    } else {
        const size_t colon = address.rfind(':');
        if (colon == std::string::npos)
            return false;
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo *found = nullptr;
        if (::getaddrinfo(address.substr(0, colon).c_str(), address.substr(colon + 1).c_str(), &hints, &found) != 0)
            return false;
        for (addrinfo *at = found; at && fd < 0; at = at->ai_next) {
            fd = ::socket(at->ai_family, at->ai_socktype | SOCK_CLOEXEC, at->ai_protocol);
            if (fd >= 0 && ::connect(fd, at->ai_addr, at->ai_addrlen) != 0) {
                ::close(fd);
                fd = -1;
            }
        }
        ::freeaddrinfo(found);
    }
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}
#endif

void UsbEventQueue::push(int eventType, const char *udid, int connectionType)
{
    if (!udid || connectionType != CONNECTION_USBMUXD)
        return;
    UsbEvent::Kind kind;
    switch (eventType) {
    case IDEVICE_DEVICE_ADD:
        kind = UsbEvent::Add;
        break;
    case IDEVICE_DEVICE_REMOVE:
        kind = UsbEvent::Remove;
        break;
    case IDEVICE_DEVICE_PAIRED:
        kind = UsbEvent::Paired;
        break;
    default:
        return;
    }
    push(UsbEvent{kind, udid});
}

void UsbEventQueue::push(UsbEvent event)
{
    std::lock_guard lock(mutex);
    events.push_back(std::move(event));
}

std::vector<UsbEvent> UsbEventQueue::take()
{
    std::lock_guard lock(mutex);
    return std::exchange(events, {});
}

namespace {

const char kLabel[] = "tonquill";

// One phone's file system over AFC, with its notification service for the
// sync bracket. Owns the device and both clients.
class AfcTransport final : public Transport
{
public:
    AfcTransport(idevice_t device, afc_client_t afc, np_client_t np)
        : device(device)
        , afc(afc)
        , np(np)
    {
    }

    ~AfcTransport() override
    {
        unlock();
        if (np)
            np_client_free(np);
        afc_client_free(afc);
        idevice_free(device);
    }

    int read(const std::string &path, std::string &data) override
    {
        data.clear();
        uint64_t handle = 0;
        if (const int opened = checked(afc_file_open(afc, path.c_str(), AFC_FOPEN_RDONLY, &handle));
            opened < 0)
            return notFoundWhenMissing(path, opened);
        char buffer[65536];
        int result = Ok;
        for (;;) {
            uint32_t got = 0;
            result = checked(afc_file_read(afc, handle, buffer, sizeof buffer, &got));
            if (result < 0 || got == 0)
                break;
            data.append(buffer, got);
        }
        afc_file_close(afc, handle);
        return result;
    }

    int write(const std::string &path, std::string_view data) override
    {
        uint64_t handle = 0;
        if (const int opened = checked(afc_file_open(afc, path.c_str(), AFC_FOPEN_WRONLY, &handle));
            opened < 0)
            return opened;
        int result = Ok;
        size_t done = 0;
        while (result >= 0 && done < data.size()) {
            const uint32_t chunk = uint32_t(std::min<size_t>(data.size() - done, 1u << 20));
            uint32_t written = 0;
            result = checked(afc_file_write(afc, handle, data.data() + done, chunk, &written));
            if (result >= 0 && written == 0)
                result = ErrIo;
            done += written;
        }
        const int closed = checked(afc_file_close(afc, handle));
        return result < 0 ? result : closed;
    }

    int rename(const std::string &from, const std::string &to) override
    {
        return notFoundWhenMissing(from, checked(afc_rename_path(afc, from.c_str(), to.c_str())));
    }

    int remove(const std::string &path) override
    {
        return notFoundWhenMissing(path, checked(afc_remove_path(afc, path.c_str())));
    }

    int list(const std::string &folder, std::vector<std::string> &names) override
    {
        names.clear();
        char **entries = nullptr;
        const int result = checked(afc_read_directory(afc, folder.c_str(), &entries));
        for (char **entry = entries; entry && *entry; ++entry)
            if (std::string_view(*entry) != "." && std::string_view(*entry) != "..")
                names.emplace_back(*entry);
        if (entries)
            afc_dictionary_free(entries);
        return notFoundWhenMissing(folder, result);
    }

    int makeFolder(const std::string &path) override
    {
        const int made = checked(afc_make_directory(afc, path.c_str()));
        if (made >= 0 || made == ErrNoPhone)
            return made;
        // Not every iOS makes the missing parents: make each level in turn.
        for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
            afc_make_directory(afc, path.substr(0, slash).c_str());
        return checked(afc_make_directory(afc, path.c_str()));
    }

    int lock(const std::string &path) override
    {
        if (lockHandle)
            return ErrBusy;
        uint64_t handle = 0;
        if (const int opened = checked(afc_file_open(afc, path.c_str(), AFC_FOPEN_RW, &handle));
            opened < 0)
            return opened;
        // AFC_LOCK_EX carries the non-blocking flag: a held lock fails at once.
        if (const int locked = checked(afc_file_lock(afc, handle, AFC_LOCK_EX)); locked < 0) {
            afc_file_close(afc, handle);
            return locked;
        }
        lockHandle = handle;
        return Ok;
    }

    void unlock() override
    {
        if (!lockHandle)
            return;
        afc_file_lock(afc, lockHandle, AFC_LOCK_UN);
        afc_file_close(afc, lockHandle);
        lockHandle = 0;
    }

    void notify(const char *name) override
    {
        if (np)
            np_post_notification(np, name);
    }

private:
    // A failure on a path that is not there is ErrNotFound, whatever status
    // the phone gave: the bridge tells "no catalogue yet" and "no ringtone
    // folder yet" by it, and phones have been seen to answer a missing path
    // with other codes. Looks up the path's parents from the nearest one.
    int notFoundWhenMissing(const std::string &path, int result)
    {
        if (result >= 0 || result == ErrNotFound || result == ErrNoPhone)
            return result;
        std::string parent = path;
        while (parent.size() > 1) {
            const size_t slash = parent.find_last_of('/', parent.size() - 2);
            if (slash == std::string::npos)
                return result;
            std::string name = parent.substr(slash + 1);
            if (!name.empty() && name.back() == '/')
                name.pop_back();
            parent.resize(slash == 0 ? 1 : slash);
            char **entries = nullptr;
            const afc_error_t listed = afc_read_directory(afc, parent.c_str(), &entries);
            bool found = false;
            for (char **entry = entries; entry && *entry; ++entry)
                found = found || name == *entry;
            if (entries)
                afc_dictionary_free(entries);
            if (listed == AFC_E_SUCCESS)
                return found ? result : ErrNotFound;
        }
        return result;
    }

    static int checked(afc_error_t error) { return resultFromAfcError(error); }

    idevice_t device;
    afc_client_t afc;
    np_client_t np;
    uint64_t lockHandle = 0;
};

// Set when a phone's connection closed under an operation, whether the phone
// left or only its file service went away: nothing on it will ever succeed
// again, so the backend drops it and, if the phone is still plugged in,
// connects afresh. Shared by the backend (bridge thread) and the transport
// (the caller's thread); the backend clears the wake-up before it goes.
struct ConnectionLost
{
    std::atomic<bool> lost{false};

    void setWake(std::function<void()> function)
    {
        std::lock_guard guard(mutex);
        wake = std::move(function);
    }
    void tell()
    {
        if (lost.exchange(true))
            return;
        std::lock_guard guard(mutex);
        if (wake)
            wake();
    }

private:
    std::mutex mutex;
    std::function<void()> wake;
};

// Watches a phone's transport for a closed connection.
class WatchedTransport final : public Transport
{
public:
    WatchedTransport(std::unique_ptr<Transport> inner, std::shared_ptr<ConnectionLost> connection)
        : inner(std::move(inner))
        , connection(std::move(connection))
    {
    }

    int read(const std::string &path, std::string &data) override { return checked(inner->read(path, data)); }
    int write(const std::string &path, std::string_view data) override { return checked(inner->write(path, data)); }
    int rename(const std::string &from, const std::string &to) override { return checked(inner->rename(from, to)); }
    int remove(const std::string &path) override { return checked(inner->remove(path)); }
    int list(const std::string &folder, std::vector<std::string> &names) override
    {
        return checked(inner->list(folder, names));
    }
    int makeFolder(const std::string &path) override { return checked(inner->makeFolder(path)); }
    int lock(const std::string &path) override { return checked(inner->lock(path)); }
    void unlock() override { inner->unlock(); }
    void notify(const char *name) override { inner->notify(name); }

private:
    int checked(int result)
    {
        if (result == ErrNoPhone)
            connection->tell();
        return result;
    }

    std::unique_ptr<Transport> inner;
    std::shared_ptr<ConnectionLost> connection;
};

// usbmuxd and the phones through libusbmuxd and libimobiledevice.
class LibimobiledeviceSystem final : public UsbSystem
{
public:
    ~LibimobiledeviceSystem() override
    {
        if (!listener)
            return;
#ifdef _WIN32
        // libusbmuxd cannot cancel its thread on Windows: unsubscribing
        // clears a flag that a thread created only just now sets again as it
        // starts, and then it spins and the join never returns. The
        // subscription is left to the process instead, its listener kept and
        // made deaf; libusbmuxd's thread goes on trying the service's port.
        {
            std::lock_guard lock(listener->mutex);
            listener->queue = nullptr;
            listener->wake = nullptr;
        }
        (void)listener.release();
        return;
#endif
        // libusbmuxd ends its thread by cancelling it, and its polling loop
        // for a UNIX socket that is not there reaches no cancellation point
        // once the last listener is gone: it would spin, and the join below
        // would never return. Back on the watch of /var/run, the thread ends
        // in its wait.
        if (polling)
            libusbmuxd_set_use_inotify(1);
        // Joins libusbmuxd's thread: no callback runs after this.
        idevice_event_unsubscribe();
    }

    bool subscribe(UsbEventQueue &queue, std::function<void()> wake) override
    {
        listener = std::make_unique<Listener>();
        listener->queue = &queue;
        listener->wake = std::move(wake);
        // Without usbmuxd this still succeeds: libusbmuxd keeps waiting in
        // the background and reports the phones once it is there. It waits
        // for a socket named "usbmuxd" to appear in /var/run, though, even
        // when USBMUXD_SOCKET_ADDRESS names another: a usbmuxd started there
        // later, or started again, would never be seen. For a given address
        // it tries the address once a second instead.
        const char *address = std::getenv("USBMUXD_SOCKET_ADDRESS");
        polling = address && *address;
        if (polling)
            libusbmuxd_set_use_inotify(0);
        if (idevice_event_subscribe(&LibimobiledeviceSystem::onEvent, listener.get()) == IDEVICE_E_SUCCESS)
            return true;
        listener.reset();
        return false;
    }

    bool serviceAnswers() override
    {
        // A plain connect to usbmuxd's socket: asking libusbmuxd would build
        // one of its messages, and it fills in the program's name for those
        // lazily and unguarded, racing its own event thread.
        return usbmuxdSocketAnswers();
    }

    bool serviceExpected() override
    {
        const char *address = std::getenv("USBMUXD_SOCKET_ADDRESS");
        return (address && *address) || iPhonePlugged();
    }

    PhoneFailure connect(const std::string &udid, std::unique_ptr<Transport> &transport) override
    {
        idevice_t device = nullptr;
        if (idevice_new_with_options(&device, udid.c_str(), IDEVICE_LOOKUP_USBMUX) != IDEVICE_E_SUCCESS)
            return PhoneFailure::Other;
        lockdownd_client_t lockdown = nullptr;
        const PhoneFailure paired = failureFromLockdown(lockdownd_client_new_with_handshake(device, &lockdown, kLabel));
        if (paired != PhoneFailure::None) {
            if (lockdown)
                lockdownd_client_free(lockdown);
            idevice_free(device);
            return paired;
        }
        // Both services start from the session just made: a handshake each
        // would cost two more connections and TLS set-ups.
        lockdownd_service_descriptor_t service = nullptr;
        const lockdownd_error_t started = lockdownd_start_service(lockdown, AFC_SERVICE_NAME, &service);
        afc_client_t afc = nullptr;
        if (started == LOCKDOWN_E_SUCCESS && afc_client_new(device, service, &afc) != AFC_E_SUCCESS)
            afc = nullptr;
        if (service)
            lockdownd_service_descriptor_free(service);
        if (!afc) {
            lockdownd_client_free(lockdown);
            idevice_free(device);
            // A phone locked since the handshake refuses its services.
            return started == LOCKDOWN_E_PASSWORD_PROTECTED ? PhoneFailure::Locked : PhoneFailure::NoFileService;
        }
        // Without the notification service the sync bracket is only the lock.
        np_client_t np = nullptr;
        service = nullptr;
        if (lockdownd_start_service(lockdown, NP_SERVICE_NAME, &service) != LOCKDOWN_E_SUCCESS
            || np_client_new(device, service, &np) != NP_E_SUCCESS)
            np = nullptr;
        if (service)
            lockdownd_service_descriptor_free(service);
        lockdownd_client_free(lockdown);
        transport = std::make_unique<AfcTransport>(device, afc, np);
        return PhoneFailure::None;
    }

private:
    struct Listener
    {
        UsbEventQueue *queue;
        std::function<void()> wake;
        // Guards both: on Windows a listener outlives its backend, deaf.
        std::mutex mutex;
    };

    // On libusbmuxd's thread.
    static void onEvent(const idevice_event_t *event, void *user)
    {
        auto *listener = static_cast<Listener *>(user);
        std::function<void()> wake;
        {
            std::lock_guard lock(listener->mutex);
            if (!listener->queue)
                return;
            listener->queue->push(event->event, event->udid, event->conn_type);
            wake = listener->wake;
        }
        // Outside the lock: waking takes the bridge's own.
        wake();
    }

    std::unique_ptr<Listener> listener;
    bool polling = false;
};

// Takes one phone at a time: the first one plugged in that can be reached,
// and the next one still plugged in when it leaves. Tells each failure once,
// when it is known: a passing fault after the last of a few tries, one that
// waits for the user (locked, the trust question) at once while it keeps
// trying, one that only the user can mend (trust refused, pairing lost) at
// once and then waits for the phone to be plugged in again.
class UsbBackend final : public Backend
{
public:
    UsbBackend(std::function<void()> wake, std::unique_ptr<UsbSystem> system)
        : wake(std::move(wake))
        , system(std::move(system))
    {
    }

    ~UsbBackend() override
    {
        // The transport may outlive this backend in the bridge's hands.
        if (connection)
            connection->setWake(nullptr);
    }

    void poll(BackendHost &host) override
    {
        if (!subscribed)
            subscribed = system->subscribe(queue, wake);
        for (const UsbEvent &event : queue.take())
            handle(host, event);
        if (host.attached() && connection && connection->lost) {
            // The phone may still be plugged in with only its service gone
            // (it restarted): dropped here, it is tried again below.
            host.detach();
            taken.clear();
        }
        if (host.attached())
            return;
        taken.clear();
        const auto phone = std::find_if(phones.begin(), phones.end(), [](const Phone &p) { return !p.givenUp; });
        if (phone != phones.end())
            connect(host, *phone);
        else if (phones.empty())
            checkService(host);
    }

    std::chrono::milliseconds period() const override
    {
        using std::chrono::milliseconds;
        if (!taken.empty())
            return milliseconds(5000);
        const auto phone = std::find_if(phones.begin(), phones.end(), [](const Phone &p) { return !p.givenUp; });
        if (phone != phones.end()) {
            // Each try at a phone that asks for trust pairs again, which
            // makes new keys (about a second of work): usbmuxd's own
            // "Paired" usually comes first anyway.
            if (phone->told == PhoneFailure::TrustPending)
                return milliseconds(10000);
            return milliseconds(phone->told == PhoneFailure::Locked ? 3000 : 1000);
        }
        if (phones.empty() && silentPolls > 0 && !serviceTold)
            return milliseconds(1000);
        return milliseconds(5000);
    }

private:
    struct Phone
    {
        std::string udid;
        PhoneFailure told = PhoneFailure::None;
        int failures = 0;
        bool givenUp = false;
    };

    static constexpr int kAttempts = 3;

    // The phone answers by itself once the user has done what was asked.
    static bool waitsForUser(PhoneFailure failure)
    {
        return failure == PhoneFailure::Locked || failure == PhoneFailure::TrustPending;
    }

    void handle(BackendHost &host, const UsbEvent &event)
    {
        const auto phone = std::find_if(phones.begin(), phones.end(),
                                        [&event](const Phone &p) { return p.udid == event.udid; });
        switch (event.kind) {
        case UsbEvent::Add:
            if (phone == phones.end())
                phones.push_back({event.udid});
            // usbmuxd answers, whatever was told of it before.
            silentPolls = 0;
            serviceTold = false;
            break;
        case UsbEvent::Paired:
            // Trusted now (the user tapped Trust, or paired it with a tool):
            // worth trying again from the start.
            if (phone != phones.end() && event.udid != taken) {
                phone->givenUp = false;
                phone->failures = 0;
            }
            break;
        case UsbEvent::Remove:
            if (phone == phones.end())
                break;
            if (event.udid == taken) {
                taken.clear();
                host.detach();
            } else if (phone->told != PhoneFailure::None && !host.attached()) {
                // The failure told about is gone with the phone.
                host.sendEvent(DEVICE_EVENT_DISCONNECT);
            }
            phones.erase(phone);
            break;
        }
    }

    void connect(BackendHost &host, Phone &phone)
    {
        std::unique_ptr<Transport> transport;
        const PhoneFailure failure = system->connect(phone.udid, transport);
        if (failure == PhoneFailure::None && transport) {
            phone.told = PhoneFailure::None;
            phone.failures = 0;
            taken = phone.udid;
            if (connection)
                connection->setWake(nullptr);
            connection = std::make_shared<ConnectionLost>();
            connection->setWake(wake);
            host.attach(std::make_unique<WatchedTransport>(std::move(transport), connection));
            return;
        }
        switch (failure) {
        case PhoneFailure::Locked:
        case PhoneFailure::TrustPending:
            phone.failures = 0;
            tell(host, phone, failure);
            break;
        case PhoneFailure::TrustRefused:
        case PhoneFailure::NotPaired:
            phone.givenUp = true;
            tell(host, phone, failure);
            break;
        default:
            if (++phone.failures >= kAttempts) {
                phone.givenUp = true;
                tell(host, phone, failure == PhoneFailure::None ? PhoneFailure::Other : failure);
            }
            break;
        }
    }

    void tell(BackendHost &host, Phone &phone, PhoneFailure failure)
    {
        // A failure is told once; the next try's alike failure stays quiet.
        if (phone.told == failure && waitsForUser(failure))
            return;
        phone.told = failure;
        host.sendEvent(failureEvent(failure));
    }

    void checkService(BackendHost &host)
    {
        if (system->serviceExpected() && !system->serviceAnswers()) {
            // Give udev the moment it takes to start usbmuxd for a phone
            // just plugged in.
            if (++silentPolls >= kAttempts && !serviceTold) {
                serviceTold = true;
                host.sendEvent(failureEvent(PhoneFailure::NoService));
            }
            return;
        }
        silentPolls = 0;
        if (std::exchange(serviceTold, false))
            host.sendEvent(DEVICE_EVENT_DISCONNECT);
    }

    std::function<void()> wake;
    UsbEventQueue queue;
    // After the queue: its subscription feeds the queue until it ends.
    std::unique_ptr<UsbSystem> system;
    bool subscribed = false;
    // Every phone plugged in, in the order they came.
    std::vector<Phone> phones;
    std::string taken;
    int silentPolls = 0;
    bool serviceTold = false;
    // Of the phone attached last.
    std::shared_ptr<ConnectionLost> connection;
};

} // namespace

std::unique_ptr<UsbSystem> makeLibimobiledeviceSystem()
{
    return std::make_unique<LibimobiledeviceSystem>();
}

std::unique_ptr<Backend> makeUsbPhoneBackend(std::function<void()> wake, std::unique_ptr<UsbSystem> system)
{
    return std::make_unique<UsbBackend>(std::move(wake), std::move(system));
}

std::unique_ptr<Backend> makeUsbPhoneBackend(std::function<void()> wake)
{
    return makeUsbPhoneBackend(std::move(wake), makeLibimobiledeviceSystem());
}

} // namespace tqbridge
