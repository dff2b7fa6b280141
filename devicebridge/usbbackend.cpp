// Real phones through usbmuxd and libimobiledevice: device events arrive on
// libusbmuxd's thread and are queued; everything else (the lockdown
// handshake, starting the AFC and notification services) runs on the
// bridge's thread. AFC calls then run on the caller's thread, serialised by
// the bridge.
#include "backend.h"
#include "devicebridge.h"
#include "transport.h"
#include "usbphone.h"

#include <libimobiledevice/afc.h>
#include <libimobiledevice/libimobiledevice.h>
#include <libimobiledevice/lockdown.h>
#include <libimobiledevice/notification_proxy.h>

#include <algorithm>
#include <atomic>
#include <utility>

namespace tqbridge {

LockdownOutcome lockdownOutcome(int lockdownError)
{
    switch (lockdownError) {
    case LOCKDOWN_E_SUCCESS:
        return LockdownOutcome::Connected;
    case LOCKDOWN_E_PAIRING_DIALOG_RESPONSE_PENDING:
    case LOCKDOWN_E_USER_DENIED_PAIRING:
    case LOCKDOWN_E_PASSWORD_PROTECTED:
    case LOCKDOWN_E_INVALID_HOST_ID:
    case LOCKDOWN_E_MISSING_PAIR_RECORD:
    case LOCKDOWN_E_INVALID_PAIR_RECORD:
    case LOCKDOWN_E_PAIRING_FAILED:
    case LOCKDOWN_E_SSL_ERROR:
        return LockdownOutcome::InitFailed;
    default:
        return LockdownOutcome::Retry;
    }
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
    std::lock_guard lock(mutex);
    events.push_back({kind, udid});
}

std::vector<UsbEvent> UsbEventQueue::take()
{
    std::lock_guard lock(mutex);
    return std::exchange(events, {});
}

namespace {

const char kLabel[] = "tonquill";

// Set by the transport when its file service connection has closed while
// the phone may still be there; the backend then connects afresh.
struct ConnectionLost
{
    std::atomic<bool> lost{false};
    std::function<void()> wake;
};

// One phone's file system over AFC, with its notification service for the
// sync bracket. Owns the device and both clients.
class AfcTransport final : public Transport
{
public:
    AfcTransport(idevice_t device, afc_client_t afc, np_client_t np, std::shared_ptr<ConnectionLost> lost)
        : device(device)
        , afc(afc)
        , np(np)
        , connection(std::move(lost))
    {
    }

    ~AfcTransport() override
    {
        // The backend may be gone by now (the bridge's last clean-up).
        connection->wake = nullptr;
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

    // An AFC result as the bridge's; a closed connection is told to the
    // backend, since nothing on it will ever succeed again.
    int checked(afc_error_t error)
    {
        const int result = resultFromAfcError(error);
        if (result == ErrNoPhone && !connection->lost.exchange(true) && connection->wake)
            connection->wake();
        return result;
    }

    idevice_t device;
    afc_client_t afc;
    np_client_t np;
    std::shared_ptr<ConnectionLost> connection;
    uint64_t lockHandle = 0;
};

class UsbBackend final : public Backend
{
public:
    explicit UsbBackend(std::function<void()> wake)
        : wake(std::move(wake))
    {
    }

    ~UsbBackend() override
    {
        if (subscribed)
            idevice_event_unsubscribe();
    }

    void poll(BackendHost &host) override
    {
        // Without usbmuxd the subscription still succeeds: libusbmuxd keeps
        // trying in the background and reports the phones once it is there.
        if (!subscribed)
            subscribed = idevice_event_subscribe(&UsbBackend::onEvent, this) == IDEVICE_E_SUCCESS;
        for (const UsbEvent &event : queue.take())
            handle(host, event);
        // The phone is still plugged in but its file service went away: drop
        // the dead connection and make a new one.
        if (connection && connection->lost && host.attached()) {
            host.detach();
            connection.reset();
            if (!udid.empty())
                attemptsLeft = kAttempts;
        }
        if (!udid.empty() && !host.attached() && attemptsLeft > 0)
            connect(host);
    }

    std::chrono::milliseconds period() const override
    {
        return std::chrono::milliseconds(attemptsLeft > 0 ? 1000 : 5000);
    }

private:
    static void onEvent(const idevice_event_t *event, void *user)
    {
        auto *backend = static_cast<UsbBackend *>(user);
        backend->queue.push(event->event, event->udid, event->conn_type);
        backend->wake();
    }

    void handle(BackendHost &host, const UsbEvent &event)
    {
        switch (event.kind) {
        case UsbEvent::Add:
            // One phone at a time: later ones and repeated adds are ignored.
            if (udid.empty()) {
                udid = event.udid;
                attemptsLeft = kAttempts;
            }
            break;
        case UsbEvent::Paired:
            // The user tapped Trust: try again.
            if (event.udid == udid && !host.attached())
                attemptsLeft = kAttempts;
            break;
        case UsbEvent::Remove:
            if (event.udid == udid) {
                host.detach();
                udid.clear();
                attemptsLeft = 0;
            }
            break;
        }
    }

    void connect(BackendHost &host)
    {
        --attemptsLeft;
        idevice_t device = nullptr;
        if (idevice_new_with_options(&device, udid.c_str(), IDEVICE_LOOKUP_USBMUX) != IDEVICE_E_SUCCESS)
            return;
        lockdownd_client_t lockdown = nullptr;
        const LockdownOutcome outcome =
            lockdownOutcome(lockdownd_client_new_with_handshake(device, &lockdown, kLabel));
        if (lockdown)
            lockdownd_client_free(lockdown);
        if (outcome != LockdownOutcome::Connected) {
            idevice_free(device);
            if (outcome == LockdownOutcome::InitFailed) {
                attemptsLeft = 0; // until the phone is paired or plugged in again
                host.sendEvent(DEVICE_EVENT_INIT_FAILED);
            }
            return;
        }
        afc_client_t afc = nullptr;
        if (afc_client_start_service(device, &afc, kLabel) != AFC_E_SUCCESS) {
            idevice_free(device);
            return;
        }
        // Without the notification service the sync bracket is only the lock.
        np_client_t np = nullptr;
        if (np_client_start_service(device, &np, kLabel) != NP_E_SUCCESS)
            np = nullptr;
        attemptsLeft = 0;
        connection = std::make_shared<ConnectionLost>();
        connection->wake = wake;
        host.attach(std::make_unique<AfcTransport>(device, afc, np, connection));
    }

    static constexpr int kAttempts = 3;

    std::function<void()> wake;
    UsbEventQueue queue;
    bool subscribed = false;
    std::string udid;
    int attemptsLeft = 0;
    std::shared_ptr<ConnectionLost> connection; // of the phone attached last
};

} // namespace

std::unique_ptr<Backend> makeUsbPhoneBackend(std::function<void()> wake)
{
    return std::make_unique<UsbBackend>(std::move(wake));
}

} // namespace tqbridge
