// The device bridge: one process-wide phone connection behind the C table of
// devicebridge.h. A thread of its own finds the phone and sends the events;
// the operations run on the caller's thread (the GUI thread) and are
// serialised with the thread's attach and detach.
#include "devicebridge.h"

#include "backend.h"
#include "catalogue.h"
#include "phonestore.h"
#include "transport.h"

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>

namespace tqbridge {
namespace {

class Bridge final : public BackendHost
{
public:
    static Bridge &instance()
    {
        static Bridge bridge;
        return bridge;
    }

    ~Bridge() override
    {
        {
            std::lock_guard lock(stateMutex);
            stopping = true;
        }
        wakeUp.notify_all();
        if (thread.joinable())
            thread.join();
    }

    void setCallback(DeviceEventCallback newCallback)
    {
        {
            // Waits for a call already running: once this returns, the old
            // listener (a window being destroyed) is never called again.
            std::lock_guard lock(callbackMutex);
            callback = newCallback;
        }
        {
            std::lock_guard lock(stateMutex);
            // A phone found before anyone listened is announced again.
            announce = newCallback != nullptr;
        }
        wake();
    }

    template<typename Operation>
    int withStore(Operation operation)
    {
        waitForFirstLook();
        std::lock_guard lock(storeMutex);
        if (!store)
            return ErrNoPhone;
        return operation(*store);
    }

    // Operations right after the bridge is made would otherwise race the
    // thread's first look for a phone (a cheap one: the folder's existence,
    // or nothing yet for real phones, whose module loads later).
    void waitForFirstLook()
    {
        std::unique_lock lock(stateMutex);
        firstLookDone.wait_for(lock, std::chrono::milliseconds(500), [this] { return lookedOnce; });
    }

    void wake()
    {
        {
            std::lock_guard lock(stateMutex);
            woken = true;
        }
        wakeUp.notify_all();
    }

    void attach(std::unique_ptr<Transport> newTransport) override
    {
        {
            std::lock_guard lock(storeMutex);
            store.reset();
            transport = std::move(newTransport);
            store = std::make_unique<PhoneStore>(*transport);
        }
        sendEvent(DEVICE_EVENT_CONNECT);
    }

    void detach() override
    {
        bool wasAttached = false;
        {
            std::lock_guard lock(storeMutex);
            wasAttached = store != nullptr;
            store.reset();
            transport.reset();
        }
        if (wasAttached)
            sendEvent(DEVICE_EVENT_DISCONNECT);
    }

    bool attached() const override
    {
        std::lock_guard lock(storeMutex);
        return store != nullptr;
    }

    void sendEvent(const char *text) override
    {
        std::lock_guard lock(callbackMutex);
        if (callback)
            callback(0, text);
    }

private:
    Bridge()
        : thread([this] { run(); })
    {
    }

    std::unique_ptr<Backend> makeBackend()
    {
        const char *folder = std::getenv("TONQUILL_SIMULATED_PHONE");
        if (folder && *folder)
            return makeFolderBackend(folder);
        return makeUsbBackend([this] { wake(); });
    }

    void run()
    {
        std::unique_ptr<Backend> backend = makeBackend();
        std::unique_lock lock(stateMutex);
        while (!stopping) {
            const bool announceNow = std::exchange(announce, false);
            woken = false;
            lock.unlock();
            backend->poll(*this);
            if (announceNow && attached())
                sendEvent(DEVICE_EVENT_CONNECT);
            lock.lock();
            if (!lookedOnce) {
                lookedOnce = true;
                firstLookDone.notify_all();
            }
            wakeUp.wait_for(lock, backend->period(), [this] { return stopping || woken; });
        }
        lock.unlock();
        backend.reset();
        std::lock_guard storeLock(storeMutex);
        store.reset();
        transport.reset();
    }

    mutable std::mutex storeMutex;
    std::unique_ptr<Transport> transport;
    std::unique_ptr<PhoneStore> store;

    std::mutex stateMutex;
    std::condition_variable wakeUp;
    bool stopping = false;
    bool woken = false;
    bool announce = false;
    bool lookedOnce = false;
    std::condition_variable firstLookDone;

    // Held while the listener runs; the listener must not set a callback.
    std::mutex callbackMutex;
    DeviceEventCallback callback = nullptr;
    std::thread thread; // last: starts once everything above exists
};

uint32_t queryITunes(char *buffer, int capacity)
{
    // iTunes is not something this bridge can drive: report none.
    copyUtf8({}, buffer, capacity);
    return 0;
}

void setEventCallback(DeviceEventCallback callback)
{
    Bridge::instance().setCallback(callback);
}

int commitChanges(int)
{
    return Bridge::instance().withStore([](PhoneStore &store) { return store.commitChanges(); });
}

int copyFromDevice(int, const char *phonePath, const char *localPath)
{
    if (!phonePath || !localPath)
        return ErrInvalid;
    return Bridge::instance().withStore(
        [&](PhoneStore &store) { return store.copyFromDevice(phonePath, localPath); });
}

int copyToDevice(int, const char *phonePath, const char *localPath)
{
    if (!phonePath || !localPath)
        return ErrInvalid;
    return Bridge::instance().withStore(
        [&](PhoneStore &store) { return store.copyToDevice(phonePath, localPath); });
}

int addRingtone(int, const char *localPath, int durationMs)
{
    if (!localPath)
        return ErrInvalid;
    return Bridge::instance().withStore(
        [&](PhoneStore &store) { return store.addRingtone(localPath, durationMs); });
}

int getRingtone(int, int index, char *name, int nameCapacity, char *fileName, int fileNameCapacity)
{
    std::string entryName;
    std::string entryFile;
    const int result = Bridge::instance().withStore(
        [&](PhoneStore &store) { return store.getRingtone(index, entryName, entryFile); });
    copyUtf8(entryName, name, nameCapacity);
    copyUtf8(entryFile, fileName, fileNameCapacity);
    return result;
}

int removeRingtone(int, int index)
{
    return Bridge::instance().withStore([&](PhoneStore &store) { return store.removeRingtone(index); });
}

int renameRingtone(int, int index, const char *newName)
{
    if (!newName)
        return ErrInvalid;
    return Bridge::instance().withStore(
        [&](PhoneStore &store) { return store.renameRingtone(index, newName); });
}

DeviceBridge theTable = {
    queryITunes, setEventCallback, commitChanges,
    nullptr, nullptr, nullptr, nullptr, nullptr,
    copyFromDevice, copyToDevice,
    nullptr, nullptr, nullptr, nullptr,
    addRingtone, nullptr,
    getRingtone, removeRingtone, renameRingtone,
};

} // namespace
} // namespace tqbridge

extern "C" DeviceBridge *createDeviceBridge(void)
{
    tqbridge::Bridge::instance();
    return &tqbridge::theTable;
}
