#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The pure parts of the real-phone backend, apart so they can be tested
// without a phone.
namespace tqbridge {

class Backend;

// The real-phone backend itself. The program reaches it through the module
// "tonquill_usbphone" (see makeUsbBackend), so that libimobiledevice and
// OpenSSL load on the bridge's thread, after the window is up.
std::unique_ptr<Backend> makeUsbPhoneBackend(std::function<void()> wake);

// What a lockdown result means for the connection attempt.
enum class LockdownOutcome {
    Connected,
    // The phone refused (trust pending or denied, passcode, not paired, SSL):
    // only the user can help, so the window explains what to do.
    InitFailed,
    // The transport failed: worth a few more tries before giving up quietly.
    Retry,
};
LockdownOutcome lockdownOutcome(int lockdownError);

// An AFC error as the bridge's negative result.
int resultFromAfcError(int afcError);

struct UsbEvent
{
    enum Kind { Add, Remove, Paired };
    Kind kind;
    std::string udid;
    bool operator==(const UsbEvent &) const = default;
};

// Carries device events from libusbmuxd's thread to the bridge's: the
// callback copies what it needs (the udid dies with the call) and returns.
// Network devices are left out: ringtones go over USB.
class UsbEventQueue
{
public:
    // Any thread. eventType and connectionType as libimobiledevice gives them.
    void push(int eventType, const char *udid, int connectionType);
    std::vector<UsbEvent> take();

private:
    std::mutex mutex;
    std::vector<UsbEvent> events;
};

} // namespace tqbridge
