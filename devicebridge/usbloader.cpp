// Loads the real-phone backend from the module beside the program, on the
// bridge's thread and a moment after the start, so that neither the module
// nor the hundred-odd relocations of OpenSSL compete with the first window.
#include "backend.h"
#include "devicebridge.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
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
MakeBackend loadFactory(const std::string &given)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    HMODULE module = given.empty() ? LoadLibraryW((folder + L"tonquill_usbphone.dll").c_str())
                                   : LoadLibraryA(given.c_str());
    if (!module) {
        std::fprintf(stderr, "Could not load the phone module 'tonquill_usbphone.dll' (error %lu)\n",
                     static_cast<unsigned long>(GetLastError()));
        return nullptr;
    }
    // FARPROC says nothing of the signature: through the generic function
    // pointer type, as the exported C function's own type is known here.
    return reinterpret_cast<MakeBackend>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "tonquill_usb_backend")));
}
#else
std::string defaultModulePath()
{
    // The module lies beside the program that this code is linked into. In
    // the program itself dli_fname is argv[0]: a bare name found on the
    // PATH, or a link such as <prefix>/bin/tonquill; the module lies beside
    // the resolved program.
    Dl_info info{};
    std::string path;
    if (dladdr(reinterpret_cast<void *>(&makeUsbBackend), &info) && info.dli_fname) {
        path = info.dli_fname;
        char resolved[PATH_MAX];
        if (realpath(path.find('/') == std::string::npos ? "/proc/self/exe" : path.c_str(), resolved))
            path = resolved;
        path.resize(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    }
    return path + "libtonquill_usbphone.so";
}

MakeBackend loadFactory(const std::string &given)
{
    const std::string path = given.empty() ? defaultModulePath() : given;
    void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char *error = dlerror();
        std::fprintf(stderr, "Could not load the phone module '%s' (%s)\n", path.c_str(),
                     error ? error : "unknown error");
        return nullptr;
    }
    auto make = reinterpret_cast<MakeBackend>(dlsym(module, "tonquill_usb_backend"));
    if (!make)
        std::fprintf(stderr, "The phone module '%s' lacks its entry point\n", path.c_str());
    return make;
}
#endif

class LazyUsbBackend final : public Backend
{
public:
    LazyUsbBackend(std::function<void()> wake, std::string modulePath)
        : wake(std::move(wake))
        , modulePath(std::move(modulePath))
        , created(std::chrono::steady_clock::now())
    {
    }

    void poll(BackendHost &host) override
    {
        if (!attempted && std::chrono::steady_clock::now() - created >= kDelay) {
            attempted = true;
            if (MakeBackend make = loadFactory(modulePath))
                real.reset(make(&LazyUsbBackend::wakeUp, this));
            // Without it no phone can ever be seen: the window must say so
            // rather than keep asking for one.
            if (!real)
                host.sendEvent(DEVICE_EVENT_NO_MODULE);
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
    std::string modulePath;
    std::chrono::steady_clock::time_point created;
    bool attempted = false;
    std::unique_ptr<Backend> real;
};

} // namespace

std::unique_ptr<Backend> makeUsbBackend(std::function<void()> wake, std::string modulePath)
{
    return std::make_unique<LazyUsbBackend>(std::move(wake), std::move(modulePath));
}

} // namespace tqbridge
