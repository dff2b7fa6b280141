// The device bridge: one process-wide phone connection behind the C table of
// devicebridge.h.
#include "bridge.h"

#include "catalogue.h"
#include "itunes.h"
#include "phonestore.h"
#include "transport.h"

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace tqbridge {

// Everything the thread touches. Shared with the thread, so that a thread
// left behind by stop() never uses freed memory.
class Bridge::State final : public BackendHost
{
public:
    void setCallback(DeviceEventCallback newCallback)
    {
        {
            std::lock_guard lock(callbackMutex);
            callback = stopping() ? nullptr : newCallback;
        }
        {
            std::lock_guard lock(stateMutex);
            // A phone found before anyone listened is announced again.
            announce = newCallback != nullptr;
        }
        wake();
    }

    int withStore(const std::function<int(PhoneStore &)> &operation)
    {
        waitForFirstLook();
        std::lock_guard lock(storeMutex);
        if (!store)
            return ErrNoPhone;
        return operation(*store);
    }

    void wake()
    {
        {
            std::lock_guard lock(stateMutex);
            woken = true;
        }
        wakeUp.notify_all();
    }

    void requestStop()
    {
        {
            std::lock_guard lock(stateMutex);
            stopRequested = true;
        }
        wakeUp.notify_all();
        // Whatever the thread still does, nobody hears of it.
        std::lock_guard lock(callbackMutex);
        callback = nullptr;
    }

    bool waitUntilFinished(std::chrono::milliseconds bound)
    {
        std::unique_lock lock(stateMutex);
        return finishedChanged.wait_for(lock, bound, [this] { return finished; });
    }

    void run(const BackendFactory &makeBackend)
    {
        std::unique_ptr<Backend> backend = makeBackend([this] { wake(); });
        std::unique_lock lock(stateMutex);
        while (!stopRequested) {
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
            wakeUp.wait_for(lock, backend->period(), [this] { return stopRequested || woken; });
        }
        lock.unlock();
        backend.reset();
        {
            std::lock_guard storeLock(storeMutex);
            store.reset();
            transport.reset();
        }
        lock.lock();
        finished = true;
        finishedChanged.notify_all();
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
    bool stopping()
    {
        std::lock_guard lock(stateMutex);
        return stopRequested;
    }

    // Operations right after the bridge is made would otherwise race the
    // thread's first look for a phone (a cheap one: the folder's existence,
    // or nothing yet for real phones, whose module loads later).
    void waitForFirstLook()
    {
        std::unique_lock lock(stateMutex);
        firstLookDone.wait_for(lock, std::chrono::milliseconds(500), [this] { return lookedOnce; });
    }

    mutable std::mutex storeMutex;
    std::unique_ptr<Transport> transport;
    std::unique_ptr<PhoneStore> store;

    std::mutex stateMutex;
    std::condition_variable wakeUp;
    bool stopRequested = false;
    bool woken = false;
    bool announce = false;
    bool lookedOnce = false;
    std::condition_variable firstLookDone;
    bool finished = false;
    std::condition_variable finishedChanged;

    // Held while the listener runs; the listener must not set a callback.
    std::mutex callbackMutex;
    DeviceEventCallback callback = nullptr;
};

Bridge::Bridge(BackendFactory makeBackend)
    : state(std::make_shared<State>())
    , thread([state = state, makeBackend = std::move(makeBackend)] { state->run(makeBackend); })
{
}

Bridge::~Bridge()
{
    stop(kStopWait);
}

Bridge &Bridge::instance()
{
    static Bridge bridge([](std::function<void()> wake) {
        const char *folder = std::getenv("TONQUILL_SIMULATED_PHONE");
        if (folder && *folder)
            return makeFolderBackend(folder);
        return makeUsbBackend(std::move(wake));
    });
    return bridge;
}

void Bridge::setCallback(DeviceEventCallback callback)
{
    state->setCallback(callback);
}

int Bridge::withStore(const std::function<int(PhoneStore &)> &operation)
{
    return state->withStore(operation);
}

bool Bridge::stop(std::chrono::milliseconds bound)
{
    if (!thread.joinable())
        return true;
    state->requestStop();
    const bool ended = state->waitUntilFinished(bound);
    if (ended)
        thread.join();
    else
        thread.detach();
    return ended;
}

namespace {

uint32_t queryITunes(char *buffer, int capacity)
{
    const ITunesInstall found = findITunes();
    // A path cut short would start some other program, or none.
    if (found.version == 0 || capacity <= 0 || found.path.size() >= size_t(capacity)) {
        copyUtf8({}, buffer, capacity);
        return 0;
    }
    copyUtf8(found.path, buffer, capacity);
    return found.version;
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

int replaceRingtone(int, const char *phonePath, const char *localPath, int durationMs)
{
    if (!phonePath || !localPath || durationMs < 0)
        return ErrInvalid;
    return Bridge::instance().withStore(
        [&](PhoneStore &store) { return store.replaceRingtone(phonePath, localPath, durationMs); });
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

int getRingtoneInfo(int, int index, int *durationMs)
{
    int length = 0;
    const int result = Bridge::instance().withStore(
        [&](PhoneStore &store) { return store.getRingtoneInfo(index, length); });
    if (durationMs)
        *durationMs = result < 0 ? 0 : length;
    return result;
}

int removeRingtoneFile(int, const char *phonePath)
{
    if (!phonePath)
        return ErrInvalid;
    return Bridge::instance().withStore([&](PhoneStore &store) { return store.removeRingtoneFile(phonePath); });
}

int renameRingtoneFile(int, const char *phonePath, const char *newName)
{
    if (!phonePath || !newName)
        return ErrInvalid;
    return Bridge::instance().withStore(
        [&](PhoneStore &store) { return store.renameRingtoneFile(phonePath, newName); });
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
    copyFromDevice, copyToDevice, replaceRingtone,
    removeRingtoneFile, renameRingtoneFile, nullptr,
    addRingtone, getRingtoneInfo,
    getRingtone, removeRingtone, renameRingtone,
};

} // namespace
} // namespace tqbridge

extern "C" DeviceBridge *createDeviceBridge(void)
{
    tqbridge::Bridge::instance();
    return &tqbridge::theTable;
}
