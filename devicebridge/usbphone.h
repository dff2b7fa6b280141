#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// The real-phone backend: its decisions (which phone to take, when to try
// again, which failure to tell) apart from libimobiledevice, so that they can
// be tested without a phone.
namespace tqbridge {

class Backend;
class Transport;

// Why a phone could not be reached. Each has its own event text
// (devicebridge.h), so that the window can say what to do about it.
enum class PhoneFailure {
    None,
    NoService,     // usbmuxd does not answer while a phone should be there
    Locked,        // locked with a passcode: the phone answers once unlocked
    TrustPending,  // the phone asks whether to trust this computer
    TrustRefused,  // the user tapped "Don't Trust"
    NotPaired,     // the pairing is missing or the phone no longer accepts it
    NoFileService, // the phone would not start its file service (AFC)
    Other,         // the connection failed (mux error, time-out, TLS)
};
PhoneFailure failureFromLockdown(int lockdownError);
// The event text of a failure; null for None.
const char *failureEvent(PhoneFailure failure);

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
    void push(UsbEvent event);
    std::vector<UsbEvent> take();

private:
    std::mutex mutex;
    std::vector<UsbEvent> events;
};

// What the backend needs of usbmuxd and the phones. Every call but the
// subscription's callback comes from the bridge's thread.
class UsbSystem
{
public:
    virtual ~UsbSystem() = default;
    // Starts the device events into queue, calling wake after each; false
    // when they could not be started. The subscription ends with the object.
    virtual bool subscribe(UsbEventQueue &queue, std::function<void()> wake) = 0;
    // Whether usbmuxd answers on its socket now.
    virtual bool serviceAnswers() = 0;
    // Whether usbmuxd should be answering: an iPhone is on the USB bus, or
    // its address was given explicitly (USBMUXD_SOCKET_ADDRESS). usbmuxd is
    // started by udev when a phone is plugged in and ends when the last one
    // leaves, so its silence alone means nothing.
    virtual bool serviceExpected() = 0;
    // Makes the phone usable (transport set) or says why it is not.
    virtual PhoneFailure connect(const std::string &udid, std::unique_ptr<Transport> &transport) = 0;
};

// The system of this machine: libusbmuxd and libimobiledevice.
std::unique_ptr<UsbSystem> makeLibimobiledeviceSystem();

// Whether devicesFolder (sysfs: /sys/bus/usb/devices) lists an iPhone, iPad
// or iPod touch, as usbmuxd's udev rule picks them (vendor 05ac, products
// 1290 to 12af).
bool iPhoneOnUsb(const std::string &devicesFolder);
// Whether a USB hardware id as Windows lists it
// ("USB\VID_05AC&PID_12A8&REV_1103") names one of those, in any case.
bool isIPhoneHardwareId(std::string_view id);
// Whether one of those is plugged in: sysfs on Linux, the present USB
// devices on Windows.
bool iPhonePlugged();

// The real-phone backend itself. The program reaches it through the module
// "tonquill_usbphone" (see makeUsbBackend), so that libimobiledevice and
// OpenSSL load on the bridge's thread, after the window is up.
std::unique_ptr<Backend> makeUsbPhoneBackend(std::function<void()> wake);
// With another system (the tests'): each poll() is one step of the decisions.
std::unique_ptr<Backend> makeUsbPhoneBackend(std::function<void()> wake, std::unique_ptr<UsbSystem> system);

} // namespace tqbridge
