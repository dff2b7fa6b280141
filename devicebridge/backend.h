#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace tqbridge {

class Transport;

// What a backend may ask of the bridge. Called only on the bridge's thread.
class BackendHost
{
public:
    virtual ~BackendHost() = default;
    // Makes the phone usable through the transport and sends "connect".
    virtual void attach(std::unique_ptr<Transport> transport) = 0;
    // Drops the phone in use, if any, and sends "disconnect".
    virtual void detach() = 0;
    virtual bool attached() const = 0;
    virtual void sendEvent(const char *text) = 0;
};

// Finds phones. Created, polled and destroyed on the bridge's thread, so that
// nothing it does can slow the program's start or block the GUI thread.
class Backend
{
public:
    virtual ~Backend() = default;
    // Runs after every wake-up and at least once a period.
    virtual void poll(BackendHost &host) = 0;
    virtual std::chrono::milliseconds period() const = 0;
};

// The simulated phone: present while the folder exists.
std::unique_ptr<Backend> makeFolderBackend(std::string root);
// Real phones through usbmuxd, loaded from the module beside the program
// (or from modulePath when given) on the first poll a second after the
// start; a module that cannot be loaded is told as DEVICE_EVENT_NO_MODULE.
// wake() may be called from any thread to have poll() run soon.
std::unique_ptr<Backend> makeUsbBackend(std::function<void()> wake, std::string modulePath = {});

} // namespace tqbridge
