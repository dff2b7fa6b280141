#pragma once

#include "audiooutput.h"
#include "playerdsp.h"
#include "playertest.h"
#include "samplering.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern "C" {
typedef int (*PlayStateCallback)(int state, void *user);
}

namespace player {

class CAudioSource;

// The preview player behind the ffplay_* functions.
//
// Threads: the caller's (the GUI thread), one decoding thread per open file
// that fills the ring, the output's thread that drains it, and a notifier
// thread that runs the state callback. All shared state sits under m_mutex,
// which is only ever held for short copies; the state callback, the output tap
// and the device calls always run without it, so a callback may call back into
// the player from any of these threads.
//
// A "session" is one continuous run of samples from a start position: every
// play, resume and seek while playing starts a new one. The session number
// tells the decoding thread to seek and makes it drop samples of an old one.
class CPlayerEngine final : private IAudioRenderer
{
public:
    // The one engine of the process. Never destroyed: its threads may still
    // run while the process exits.
    static CPlayerEngine &instance();

    CPlayerEngine(const CPlayerEngine &) = delete;
    CPlayerEngine &operator=(const CPlayerEngine &) = delete;

    // Once this returns, a callback call that was running has ended (unless
    // it is the caller itself): the old receiver may then be destroyed.
    void setCallback(PlayStateCallback callback, void *user);
    bool open(const std::string &path);
    void play();
    void togglePause();
    void stop();
    void seek(double seconds);
    double position();
    void setVolume(double factor);
    void setFadeIn(double seconds);
    void setFadeOut(double seconds, double end);
    void setLoop(bool on);

    void setOutputTap(OutputTap tap);
    int outputSampleRate();
    std::string outputKind();

private:
    enum class State { Stopped = 0, Playing = 1, Paused = 2 };

    CPlayerEngine();
    ~CPlayerEngine() = default;

    void render(float *samples, int frames) override;

    void ensureOutput();
    static void closeOutputAtExit();
    void closeSource();
    enum class Run { Continues, Starts, Resumes };
    void startSessionLocked(double position, Run run, bool keepsLimiter = false);
    void takePendingRunLocked(double position);
    void endSessionLocked();
    void setStateLocked(State state);
    void applyOutputActivity();
    void decodeLoop(std::unique_ptr<CAudioSource> source);
    void notifyLoop();
    double nowSeconds() const;
    double heardNowLocked();

    std::mutex m_mutex;
    std::condition_variable m_decoderWake;
    std::condition_variable m_notifierWake;

    // --- under m_mutex ---
    State m_state = State::Stopped;
    bool m_sourceOpen = false;
    bool m_decoderQuit = false;
    double m_startPosition = 0.0; // where the next play or resume begins
    uint64_t m_session = 0;
    double m_sessionStart = 0.0;
    int64_t m_sessionFrames = 0;  // frames of this session handed to the output
    bool m_sessionEnded = false;  // the decoder delivered the last sample of the file
    CSampleRing m_ring;
    PlayClock m_clock;
    double m_lastHeard = 0.0;     // keeps the reported position from stepping back on timer jitter
    double m_volume = 1.0;
    CLimiter m_limiter;           // reset with every session
    double m_pendingFade = 0.0;
    int64_t m_fadeDone = 0;
    int64_t m_fadeTotal = 0;
    // Set for the next start or resume, like the fade-in; a start takes them
    // over for all its sessions (seeks and loop rounds included). A resume
    // for which none were set goes on with the paused run's own.
    double m_pendingFadeOut = 0.0;
    double m_pendingEnd = -1.0;   // negative: none
    bool m_pendingEndSet = false;
    bool m_pendingLoop = false;
    double m_fadeOut = 0.0;
    double m_end = -1.0;          // silent from here on; negative: none
    bool m_loop = false;          // reaching m_end starts again at m_loopStart
    double m_loopStart = 0.0;
    int64_t m_loopFadeTotal = 0;  // the fade-in each round begins with
    int m_sampleRate = 48000;
    int m_channels = 2;
    double m_latency = 0.0;
    std::deque<int> m_reports;
    PlayStateCallback m_callback = nullptr;
    void *m_user = nullptr;
    bool m_inCallback = false;    // the notifier is inside a callback call
    uint64_t m_callbackCalls = 0; // callback calls started so far
    std::condition_variable m_callbackDone;

    // Serialises device start/stop so that the last state wins.
    std::mutex m_outputMutex;
    std::unique_ptr<CAudioOutput> m_output; // created once, under both mutexes

    std::mutex m_tapMutex;
    OutputTap m_tap;

    std::thread m_decoder;  // touched by the caller's thread only
    std::thread m_notifier;
};

} // namespace player
