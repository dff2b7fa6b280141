#pragma once

#include "backend.h"
#include "devicebridge.h"

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace tqbridge {

class PhoneStore;

// One phone connection behind the C table. A thread of its own finds the
// phone through a backend and sends the events; the operations run on the
// caller's thread (the GUI thread) and are serialised with the thread's
// attach and detach.
class Bridge final
{
public:
    // Called once, on the bridge's thread; wake() may be called from any
    // thread for as long as the backend lives.
    using BackendFactory = std::function<std::unique_ptr<Backend>(std::function<void()> wake)>;

    explicit Bridge(BackendFactory makeBackend);
    // stop(kStopWait): the process's bridge ends with the process, which must
    // not hang on a phone that stopped answering.
    ~Bridge();
    Bridge(const Bridge &) = delete;
    Bridge &operator=(const Bridge &) = delete;

    // The simulated phone when TONQUILL_SIMULATED_PHONE names a folder, real
    // phones otherwise. Made on first use, stopped at exit.
    static Bridge &instance();

    // Waits for a call already running: once this returns, the old listener
    // (a window being destroyed) is never called again.
    void setCallback(DeviceEventCallback callback);
    // ErrNoPhone when no phone is attached.
    int withStore(const std::function<int(PhoneStore &)> &operation);

    // Asks the thread to end and waits for it at most `bound`: true when it
    // ended. Otherwise it is left to end on its own (one call to a phone that
    // stopped answering can last many seconds) and owns what it still uses;
    // no event is sent any more either way.
    bool stop(std::chrono::milliseconds bound);

    static constexpr std::chrono::milliseconds kStopWait{1000};

private:
    class State;
    std::shared_ptr<State> state;
    std::thread thread;
};

} // namespace tqbridge
