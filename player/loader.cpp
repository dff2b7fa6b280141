// The program's side of the preview player and the media probe: the
// functions here load the real ones (the tonquill_player module beside the
// program) on the first probe or ffplay_open and forward to them from then on.
//
// FFmpeg and SDL2 bring a hundred shared libraries with them; loading them at
// start-up would more than double the time to the first window, and nothing
// can play before a file is opened anyway. Calls that come before that
// (init, callback, volume, fades, loop) are kept and replayed when the player
// is first needed (ffplay_open); the rest have nothing to act on, which is
// what the player does too.
//
// The player's functions belong to the GUI thread; the probe may be called
// from any thread (the ringtone manager probes on a worker), so loading the
// module is guarded, and the player's settings are replayed only from the
// player's own calls, never on a prober's thread.
#include "ffplay.h"
#include "mediaprobe.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <climits>
#include <cstdlib>
#endif

namespace {

struct PlayerFunctions
{
    int (*init)(void) = nullptr;
    int (*setCallback)(PlayStateCallback, void *) = nullptr;
    int (*open)(const char *, int, int) = nullptr;
    int (*play)(void) = nullptr;
    int (*togglePause)(void) = nullptr;
    int (*stop)(void) = nullptr;
    int (*seek)(double) = nullptr;
    double (*getPosition)(void) = nullptr;
    int (*setVolume)(double) = nullptr;
    int (*fadein)(double) = nullptr;
    int (*fadeout)(double, double) = nullptr;
    int (*loop)(int) = nullptr;
    int (*probe)(const char *, double *) = nullptr;
    int (*probeRingtone)(const char *, double *, int *) = nullptr;
};

struct LoaderState
{
    // Loading, from any thread: fn is written once under the mutex, before
    // moduleLoaded is set, and never again.
    std::mutex loadMutex;
    bool attempted = false;
    std::atomic<bool> moduleLoaded{false};
    PlayerFunctions fn;
    // The rest: GUI thread only, like the player's interface itself.
    bool loaded = false; // the player has its settings and takes calls
    bool initRequested = false;
    PlayStateCallback callback = nullptr;
    void *user = nullptr;
    bool volumeSet = false;
    double volume = 1.0;
    bool fadeinSet = false;
    double fadein = 0.0;
    bool fadeoutSet = false;
    double fadeout = 0.0;
    double fadeoutEnd = -1.0;
    bool loopSet = false;
    int loop = 0;
} state;

#ifdef _WIN32
using Library = HMODULE;

std::wstring modulePath()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    const size_t slash = folder.find_last_of(L"\\/");
    folder.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return folder + L"tonquill_player.dll";
}

Library openLibrary()
{
    return LoadLibraryW(modulePath().c_str());
}

void *symbol(Library library, const char *name)
{
    return reinterpret_cast<void *>(GetProcAddress(library, name));
}

void reportLoadFailure()
{
    std::fprintf(stderr, "Could not load the preview player 'tonquill_player.dll' (error %lu)\n",
                 static_cast<unsigned long>(GetLastError()));
}
#else
using Library = void *;

std::string modulePath()
{
    // The module lies beside the program that this code is linked into.
    Dl_info info{};
    std::string folder;
    if (dladdr(reinterpret_cast<void *>(&ffplay_open), &info) && info.dli_fname) {
        folder = info.dli_fname;
        // In the program itself this is argv[0]: a bare name found on the
        // PATH, or a link such as <prefix>/bin/tonquill. The module lies
        // beside the resolved program.
        char resolved[PATH_MAX];
        if (realpath(folder.find('/') == std::string::npos ? "/proc/self/exe" : folder.c_str(), resolved))
            folder = resolved;
        const size_t slash = folder.rfind('/');
        folder.resize(slash == std::string::npos ? 0 : slash + 1);
    }
    return folder + "libtonquill_player.so";
}

Library openLibrary()
{
    // RTLD_LOCAL keeps FFmpeg's symbols out of the program's namespace.
    return dlopen(modulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
}

void *symbol(Library library, const char *name)
{
    return dlsym(library, name);
}

void reportLoadFailure()
{
    const char *error = dlerror();
    std::fprintf(stderr, "Could not load the preview player '%s' (%s)\n", modulePath().c_str(),
                 error ? error : "unknown error");
}
#endif

template<typename F>
bool resolve(Library library, const char *name, F &out)
{
    out = reinterpret_cast<F>(symbol(library, name));
    return out != nullptr;
}

bool loadModule()
{
    if (state.moduleLoaded.load(std::memory_order_acquire))
        return true;
    const std::lock_guard<std::mutex> lock(state.loadMutex);
    if (state.attempted)
        return state.moduleLoaded.load(std::memory_order_relaxed);
    state.attempted = true;

    Library library = openLibrary();
    if (!library) {
        reportLoadFailure();
        return false;
    }
    PlayerFunctions fn;
    const bool complete = resolve(library, "ffplay_init", fn.init)
                          && resolve(library, "ffplay_set_callback", fn.setCallback)
                          && resolve(library, "ffplay_open", fn.open)
                          && resolve(library, "ffplay_play", fn.play)
                          && resolve(library, "ffplay_toggle_pause", fn.togglePause)
                          && resolve(library, "ffplay_stop", fn.stop)
                          && resolve(library, "ffplay_seek", fn.seek)
                          && resolve(library, "ffplay_get_position", fn.getPosition)
                          && resolve(library, "ffplay_set_volume", fn.setVolume)
                          && resolve(library, "ffplay_fadein", fn.fadein)
                          && resolve(library, "ffplay_fadeout", fn.fadeout)
                          && resolve(library, "ffplay_loop", fn.loop)
                          && resolve(library, "tonquill_probe", fn.probe)
                          && resolve(library, "tonquill_probe_ringtone", fn.probeRingtone);
    if (!complete) {
#ifdef _WIN32
        std::fprintf(stderr, "The player module '%ls' lacks a function; preview and probing are off\n",
                     modulePath().c_str());
#else
        std::fprintf(stderr, "The player module '%s' lacks a function; preview and probing are off\n",
                     modulePath().c_str());
#endif
        return false;
    }
    // The module stays loaded for the rest of the run, like the player itself.
    state.fn = fn;
    state.moduleLoaded.store(true, std::memory_order_release);
    return true;
}

// GUI thread: the module, with the settings made before it was loaded.
bool ensureLoaded()
{
    if (state.loaded)
        return true;
    if (!loadModule())
        return false;
    state.loaded = true;

    if (state.initRequested)
        state.fn.init();
    if (state.callback)
        state.fn.setCallback(state.callback, state.user);
    if (state.volumeSet)
        state.fn.setVolume(state.volume);
    if (state.fadeinSet)
        state.fn.fadein(state.fadein);
    if (state.fadeoutSet)
        state.fn.fadeout(state.fadeout, state.fadeoutEnd);
    if (state.loopSet)
        state.fn.loop(state.loop);
    return true;
}

} // namespace

extern "C" {

int ffplay_init(void)
{
    if (state.loaded)
        return state.fn.init();
    state.initRequested = true;
    return 0;
}

int ffplay_set_callback(PlayStateCallback cb, void *user)
{
    state.callback = cb;
    state.user = user;
    return state.loaded ? state.fn.setCallback(cb, user) : 0;
}

int tonquill_probe(const char *path, double *seconds)
{
    if (seconds)
        *seconds = 0.0;
    if (!loadModule())
        return -1;
    return state.fn.probe(path, seconds);
}

int tonquill_probe_ringtone(const char *path, double *seconds, int *asRingtone)
{
    if (seconds)
        *seconds = 0.0;
    if (asRingtone)
        *asRingtone = 0;
    if (!loadModule())
        return -1;
    return state.fn.probeRingtone(path, seconds, asRingtone);
}

int ffplay_open(const char *path, int reserved1, int reserved2)
{
    if (!ensureLoaded())
        return -1;
    return state.fn.open(path, reserved1, reserved2);
}

int ffplay_play(void)
{
    return state.loaded ? state.fn.play() : 0;
}

int ffplay_toggle_pause(void)
{
    return state.loaded ? state.fn.togglePause() : 0;
}

int ffplay_stop(void)
{
    return state.loaded ? state.fn.stop() : 0;
}

int ffplay_seek(double seconds)
{
    return state.loaded ? state.fn.seek(seconds) : 0;
}

double ffplay_get_position(void)
{
    return state.loaded ? state.fn.getPosition() : 0.0;
}

int ffplay_set_volume(double factor)
{
    state.volumeSet = true;
    state.volume = factor;
    return state.loaded ? state.fn.setVolume(factor) : 0;
}

int ffplay_fadein(double seconds)
{
    state.fadeinSet = true;
    state.fadein = seconds;
    return state.loaded ? state.fn.fadein(seconds) : 0;
}

int ffplay_fadeout(double seconds, double end)
{
    state.fadeoutSet = true;
    state.fadeout = seconds;
    state.fadeoutEnd = end;
    return state.loaded ? state.fn.fadeout(seconds, end) : 0;
}

int ffplay_loop(int on)
{
    state.loopSet = true;
    state.loop = on;
    return state.loaded ? state.fn.loop(on) : 0;
}

} // extern "C"
