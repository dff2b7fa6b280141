#include "audiooutput.h"

// The player is a library: the program's own main stays main.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#ifdef __linux__
#include <dlfcn.h>
#endif

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace player {

namespace {

constexpr int kRate = 48000;
constexpr int kChannels = 2;
// About 21 ms per device buffer: short enough for a seek to be heard at once.
// SDL's dummy driver paces itself with whole-millisecond sleeps (21 ms here),
// which runs slightly fast and so makes up for the oversleeping of a busy
// machine; shorter buffers let it fall well behind real time.
constexpr int kDevicePeriodFrames = 1024;
// The silent output keeps time with deadlines and can use shorter buffers.
constexpr int kPeriodFrames = 480;

class CSdlOutput final : public CAudioOutput
{
public:
    CSdlOutput(SDL_AudioDeviceID device, const SDL_AudioSpec &obtained)
        : m_device(device)
    {
        m_sampleRate = obtained.freq;
        m_channels = obtained.channels;
        m_latency = static_cast<double>(obtained.samples) / obtained.freq;
    }
    ~CSdlOutput() override { SDL_CloseAudioDevice(m_device); }

    // Runs on SDL's audio thread; the user data is the renderer.
    static void SDLCALL fill(void *user, Uint8 *stream, int bytes)
    {
        constexpr int frameBytes = static_cast<int>(sizeof(float)) * kChannels;
        static_cast<IAudioRenderer *>(user)->render(reinterpret_cast<float *>(stream),
                                                    bytes / frameBytes);
    }

    void setActive(bool active) override { SDL_PauseAudioDevice(m_device, active ? 0 : 1); }
    const char *kind() const override { return "sdl"; }

private:
    SDL_AudioDeviceID m_device;
};

class CSilentOutput final : public CAudioOutput
{
public:
    explicit CSilentOutput(IAudioRenderer *renderer)
        : m_renderer(renderer)
    {
        m_sampleRate = kRate;
        m_channels = kChannels;
        m_latency = static_cast<double>(kPeriodFrames) / kRate;
        m_thread = std::thread([this] { run(); });
    }
    ~CSilentOutput() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    void setActive(bool active) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_active = active;
        }
        m_wake.notify_all();
    }
    const char *kind() const override { return "null"; }

private:
    void run()
    {
        using Clock = std::chrono::steady_clock;
        const auto period = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(static_cast<double>(kPeriodFrames) / kRate));
        std::vector<float> buffer(static_cast<size_t>(kPeriodFrames) * kChannels);
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_active || m_quit; });
            if (m_quit)
                return;
            // Deadlines, not sleeps, so that the pace does not drift with
            // the time each buffer takes.
            auto deadline = Clock::now();
            while (m_active && !m_quit) {
                lock.unlock();
                m_renderer->render(buffer.data(), kPeriodFrames);
                lock.lock();
                deadline += period;
                m_wake.wait_until(lock, deadline, [this] { return m_quit; });
            }
        }
    }

    IAudioRenderer *m_renderer;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_active = false;
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace

bool silentOutputForced()
{
    const char *value = std::getenv("TONQUILL_PLAYER_NULL_OUTPUT");
    return value && *value && std::strcmp(value, "0") != 0;
}

namespace {

// ALSA prints a line for every card it looks for and does not find ("cannot
// find card '0'") while SDL probes it: on a machine without sound that is a
// screenful on the terminal for one fact, which we tell ourselves. SDL
// opens libasound itself; setting its error handler in the same library
// quiets those lines.
#ifdef __linux__
using AlsaErrorHandler = void (*)(const char *, int, const char *, int, const char *, ...);
void silentAlsaError(const char *, int, const char *, int, const char *, ...) {}
#endif

void quietAlsa()
{
#ifdef __linux__
    void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa)
        return;
    using SetHandler = int (*)(AlsaErrorHandler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(&silentAlsaError);
    // Kept open: the handler must stay while SDL uses the library.
#endif
}

// Returns null with the reason in `error` when there is no usable device.
std::unique_ptr<CAudioOutput> openSdlOutput(IAudioRenderer *renderer, std::string &error)
{
    // SDL's audio brings up its event subsystem, which by default takes over
    // SIGINT and SIGTERM to queue a quit event that nobody here reads: the
    // program would then ignore a plain kill once a file has been loaded.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    quietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kChannels;
    wanted.samples = kDevicePeriodFrames;
    wanted.callback = &CSdlOutput::fill;
    wanted.userdata = renderer;
    SDL_AudioSpec obtained{};
    // Any rate the device prefers is fine (the decoder resamples to it);
    // format and channel count stay fixed so the renderer has one layout.
    // The device starts paused.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                                         SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device == 0) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    return std::make_unique<CSdlOutput>(device, obtained);
}

} // namespace

std::unique_ptr<CAudioOutput> CAudioOutput::createSilent(IAudioRenderer *renderer)
{
    return std::make_unique<CSilentOutput>(renderer);
}

std::unique_ptr<CAudioOutput> CAudioOutput::create(IAudioRenderer *renderer)
{
    if (silentOutputForced()) {
        std::fprintf(stderr, "Sound output disabled by TONQUILL_PLAYER_NULL_OUTPUT; "
                             "previews play silently\n");
        return createSilent(renderer);
    }
    std::string error;
    if (auto output = openSdlOutput(renderer, error))
        return output;
    std::fprintf(stderr, "Could not open a sound device (%s); previews play silently\n",
                 error.c_str());
    return createSilent(renderer);
}

} // namespace player
