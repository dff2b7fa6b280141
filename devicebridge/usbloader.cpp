// Loads the real-phone backend from the module beside the program, on the
// bridge's thread and a moment after the start, so that neither the module
// nor the hundred-odd relocations of OpenSSL compete with the first window.
#include "backend.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tqbridge {
namespace {

using MakeBackend = Backend *(*)(void (*)(void *), void *);

#ifdef _WIN32
MakeBackend loadFactory()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    HMODULE module = LoadLibraryW((folder + L"tonquill_usbphone.dll").c_str());
    if (!module) {
        std::fprintf(stderr, "Could not load the phone module 'tonquill_usbphone.dll' (error %lu)\n",
                     static_cast<unsigned long>(GetLastError()));
        return nullptr;
    }
    return reinterpret_cast<MakeBackend>(GetProcAddress(module, "tonquill_usb_backend"));
}
#else
MakeBackend loadFactory()
{
    Dl_info info{};
    std::string path;
    if (dladdr(reinterpret_cast<void *>(&makeUsbBackend), &info) && info.dli_fname) {
        path = info.dli_fname;
        path.resize(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    }
    path += "libtonquill_usbphone.so";
    void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char *error = dlerror();
        std::fprintf(stderr, "Could not load the phone module '%s' (%s)\n", path.c_str(),
                     error ? error : "unknown error");
        return nullptr;
    }
    return reinterpret_cast<MakeBackend>(dlsym(module, "tonquill_usb_backend"));
}
#endif

class LazyUsbBackend final : public Backend
{
public:
    explicit LazyUsbBackend(std::function<void()> wake)
        : wake(std::move(wake))
        , created(std::chrono::steady_clock::now())
    {
    }

    void poll(BackendHost &host) override
    {
        if (!attempted && std::chrono::steady_clock::now() - created >= kDelay) {
            attempted = true;
            if (MakeBackend make = loadFactory())
                real.reset(make(&LazyUsbBackend::wakeUp, this));
        }
        if (real)
            real->poll(host);
    }

    std::chrono::milliseconds period() const override
    {
        if (real)
            return real->period();
        return attempted ? std::chrono::hours(1) : std::chrono::duration_cast<std::chrono::milliseconds>(kDelay);
    }

private:
    static void wakeUp(void *self) { static_cast<LazyUsbBackend *>(self)->wake(); }

    static constexpr std::chrono::milliseconds kDelay{1000};

    std::function<void()> wake;
    std::chrono::steady_clock::time_point created;
    bool attempted = false;
    std::unique_ptr<Backend> real;
};

} // namespace

std::unique_ptr<Backend> makeUsbBackend(std::function<void()> wake)
{
    return std::make_unique<LazyUsbBackend>(std::move(wake));
}

} // namespace tqbridge
