#include "playerengine.h"

#include "audiosource.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>

namespace player {

namespace {

// Decoded audio kept ahead of the output. A seek throws it away, so its size
// only trades memory against how often the decoding thread wakes up.
constexpr double kRingSeconds = 0.5;
// The decoding thread sleeps until this share of the ring is free.
constexpr int kRefillDivisor = 4;
// Timer jitter allowed when deciding that the last sample has been heard.
constexpr double kEndSlackSeconds = 0.002;

} // namespace

CPlayerEngine &CPlayerEngine::instance()
{
    // Leaked on purpose: a static object would be destroyed at exit while the
    // device and notifier threads may still be inside it.
    static CPlayerEngine *engine = new CPlayerEngine;
    return *engine;
}

CPlayerEngine::CPlayerEngine()
{
    m_notifier = std::thread([this] { notifyLoop(); });
}

double CPlayerEngine::nowSeconds() const
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void CPlayerEngine::setCallback(PlayStateCallback callback, void *user)
{
    std::unique_lock lock(m_mutex);
    m_callback = callback;
    m_user = user;
    // The notifier copied the old receiver before this change; wait until
    // that call is over. A callback that changes the callback itself must not
    // wait for its own end.
    if (!m_inCallback || std::this_thread::get_id() == m_notifier.get_id())
        return;
    const uint64_t running = m_callbackCalls;
    m_callbackDone.wait(lock, [&] { return !m_inCallback || m_callbackCalls != running; });
}

void CPlayerEngine::ensureOutput()
{
    std::lock_guard outputLock(m_outputMutex);
    if (m_output)
        return;
    auto output = CAudioOutput::create(this);
    {
        std::lock_guard lock(m_mutex);
        m_sampleRate = output->sampleRate();
        m_channels = output->channels();
        m_latency = output->latency();
    }
    m_output = std::move(output);
    static const bool registered = std::atexit(&CPlayerEngine::closeOutputAtExit) == 0;
    (void)registered;
}

void CPlayerEngine::closeOutputAtExit()
{
    // The player is never shut down, but its device thread must not keep
    // running while the process tears itself down, and the receiver of the
    // state callback may already be gone.
    CPlayerEngine &engine = instance();
    engine.setCallback(nullptr, nullptr);
    std::lock_guard outputLock(engine.m_outputMutex);
    engine.m_output.reset();
}

void CPlayerEngine::closeSource()
{
    {
        std::lock_guard lock(m_mutex);
        m_sourceOpen = false;
        m_startPosition = 0.0;
        endSessionLocked();
        setStateLocked(State::Stopped);
        m_decoderQuit = true;
    }
    m_decoderWake.notify_all();
    if (m_decoder.joinable())
        m_decoder.join();
    applyOutputActivity();
}

bool CPlayerEngine::open(const std::string &path)
{
    closeSource();
    ensureOutput();
    int rate = 0;
    int channels = 0;
    {
        std::lock_guard lock(m_mutex);
        rate = m_sampleRate;
        channels = m_channels;
    }
    // Opened and probed on the caller's thread, then handed to the decoding
    // thread, which is the only one to touch it afterwards.
    std::unique_ptr<CAudioSource> source = CAudioSource::open(path, rate, channels);
    if (!source)
        return false;
    {
        std::lock_guard lock(m_mutex);
        m_ring.reset(static_cast<int>(std::lround(kRingSeconds * rate)), channels);
        m_decoderQuit = false;
        m_sourceOpen = true;
        m_startPosition = 0.0;
    }
    m_decoder = std::thread([this, source = std::move(source)]() mutable {
        decodeLoop(std::move(source));
    });
    return true;
}

void CPlayerEngine::play()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_sourceOpen || m_state != State::Stopped)
            return;
        startSessionLocked(m_startPosition, Run::Starts);
        setStateLocked(State::Playing);
    }
    applyOutputActivity();
}

void CPlayerEngine::togglePause()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_sourceOpen)
            return;
        if (m_state == State::Playing) {
            // Resuming decodes again from what was heard, so the sound still
            // queued in the device at this moment is not lost.
            m_startPosition = heardNowLocked();
            endSessionLocked();
            setStateLocked(State::Paused);
        } else if (m_state == State::Paused) {
            startSessionLocked(m_startPosition, Run::Resumes);
            setStateLocked(State::Playing);
        } else {
            return;
        }
    }
    applyOutputActivity();
}

void CPlayerEngine::stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_sourceOpen)
            return;
        m_startPosition = 0.0;
        if (m_state == State::Stopped)
            return;
        endSessionLocked();
        setStateLocked(State::Stopped);
    }
    applyOutputActivity();
}

void CPlayerEngine::seek(double seconds)
{
    if (std::isnan(seconds))
        return;
    seconds = std::max(seconds, 0.0);
    std::lock_guard lock(m_mutex);
    if (!m_sourceOpen)
        return;
    if (m_state == State::Playing)
        startSessionLocked(seconds, Run::Continues);
    else
        m_startPosition = seconds;
}

double CPlayerEngine::position()
{
    std::lock_guard lock(m_mutex);
    if (m_state == State::Playing)
        return heardNowLocked();
    return m_startPosition;
}

double CPlayerEngine::heardNowLocked()
{
    m_lastHeard = std::max(m_lastHeard, heardPosition(m_clock, nowSeconds()));
    return m_lastHeard;
}

void CPlayerEngine::setVolume(double factor)
{
    std::lock_guard lock(m_mutex);
    m_volume = sanitizeVolume(factor, m_volume);
}

void CPlayerEngine::setFadeIn(double seconds)
{
    std::lock_guard lock(m_mutex);
    m_pendingFade = std::isnan(seconds) ? 0.0 : std::max(seconds, 0.0);
}

void CPlayerEngine::setFadeOut(double seconds, double end)
{
    std::lock_guard lock(m_mutex);
    m_pendingFadeOut = std::isnan(seconds) ? 0.0 : std::max(seconds, 0.0);
    m_pendingEnd = std::isnan(end) ? -1.0 : end;
    m_pendingEndSet = true;
}

void CPlayerEngine::setLoop(bool on)
{
    std::lock_guard lock(m_mutex);
    m_pendingLoop = on;
    // The clip playing now follows too.
    if (m_state != State::Stopped)
        m_loop = on && m_end > m_loopStart;
}

void CPlayerEngine::setOutputTap(OutputTap tap)
{
    std::lock_guard lock(m_tapMutex);
    m_tap = std::move(tap);
}

int CPlayerEngine::outputSampleRate()
{
    std::lock_guard outputLock(m_outputMutex);
    return m_output ? m_output->sampleRate() : 0;
}

std::string CPlayerEngine::outputKind()
{
    std::lock_guard outputLock(m_outputMutex);
    return m_output ? m_output->kind() : std::string();
}

void CPlayerEngine::startSessionLocked(double position, Run run, bool keepsLimiter)
{
    ++m_session;
    m_sessionStart = position;
    m_sessionFrames = 0;
    m_sessionEnded = false;
    m_ring.clear();
    m_clock = PlayClock{};
    m_clock.sessionStart = position;
    if (!keepsLimiter)
        m_limiter.reset(m_sampleRate, m_channels);
    m_clock.latency = m_latency + static_cast<double>(m_limiter.latencyFrames()) / m_sampleRate;
    m_lastHeard = position;
    // A seek while playing keeps a running fade-in going; only a start or a
    // resume begins one, and it uses up the length that was set for it.
    if (run != Run::Continues) {
        m_fadeTotal = std::llround(m_pendingFade * m_sampleRate);
        m_fadeDone = 0;
        m_pendingFade = 0.0;
        // A resume goes on with the clip it paused (its end, fade-out and
        // loop, rounds starting where the clip starts) unless it was given
        // an end of its own.
        if (run == Run::Starts || m_pendingEndSet)
            takePendingRunLocked(position);
        m_pendingFadeOut = 0.0;
        m_pendingEnd = -1.0;
        m_pendingEndSet = false;
        m_pendingLoop = false;
    }
    m_decoderWake.notify_all();
}

void CPlayerEngine::takePendingRunLocked(double position)
{
    m_fadeOut = m_pendingFadeOut;
    m_end = m_pendingEnd;
    // A loop needs an end after its start, or it would spin on silence.
    m_loop = m_pendingLoop && m_end > position;
    m_loopStart = position;
    m_loopFadeTotal = m_fadeTotal;
}

void CPlayerEngine::endSessionLocked()
{
    ++m_session;
    m_sessionEnded = false;
    m_ring.clear();
    m_clock.valid = false;
}

void CPlayerEngine::setStateLocked(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_reports.push_back(static_cast<int>(state));
    m_notifierWake.notify_one();
}

void CPlayerEngine::applyOutputActivity()
{
    // Whoever takes the output mutex last reads the newest state, so two
    // threads racing here cannot leave the device stopped while playing.
    std::lock_guard outputLock(m_outputMutex);
    if (!m_output)
        return;
    bool playing = false;
    {
        std::lock_guard lock(m_mutex);
        playing = m_state == State::Playing;
    }
    m_output->setActive(playing);
}

void CPlayerEngine::render(float *samples, int frames)
{
    int copied = 0;
    int channels = 0;
    {
        std::lock_guard lock(m_mutex);
        channels = m_channels;
        // A run that starts at or after its end (an empty clip, a seek past
        // it) has nothing left but silence: it ends as the file would.
        if (m_state == State::Playing && m_end >= 0.0 && !m_loop && m_sessionStart >= m_end) {
            m_startPosition = 0.0;
            endSessionLocked();
            setStateLocked(State::Stopped);
        }
        if (m_state == State::Playing) {
            const int refill = m_ring.capacity() / kRefillDivisor;
            const int spaceBefore = m_ring.space();
            copied = m_ring.read(samples, frames);
            const double now = nowSeconds();
            if (copied > 0) {
                m_clock.valid = true;
                m_clock.firstPos = m_sessionStart + static_cast<double>(m_sessionFrames) / m_sampleRate;
                m_sessionFrames += copied;
                m_clock.endPos = m_sessionStart + static_cast<double>(m_sessionFrames) / m_sampleRate;
                m_clock.handedAt = now;
                m_fadeDone = applyGain(samples, copied, channels, m_volume, m_fadeDone, m_fadeTotal);
                if (m_end >= 0.0)
                    applyFadeOut(samples, copied, channels, m_clock.firstPos, m_sampleRate, m_end, m_fadeOut);
                // The next round starts once this one's last sample is handed
                // over; what the ring holds beyond the end is dropped with it.
                // The limiter still holds the round's last look-ahead, which
                // must be heard before the next round begins.
                if (m_loop && m_clock.endPos >= m_end) {
                    startSessionLocked(m_loopStart, Run::Continues, true);
                    m_fadeTotal = m_loopFadeTotal;
                    m_fadeDone = 0;
                }
            }
            // Through the limiter with the silence after the last sample too,
            // which pushes out what the look-ahead still holds.
            std::fill(samples + static_cast<size_t>(copied) * channels,
                      samples + static_cast<size_t>(frames) * channels, 0.0f);
            m_limiter.process(samples, frames);
            copied = frames;
            if (spaceBefore < refill && m_ring.space() >= refill)
                m_decoderWake.notify_all();
            // The file has ended once its last sample is heard, not when it
            // leaves the ring: the device still holds it for the latency.
            if (m_sessionEnded && m_ring.size() == 0
                && (!m_clock.valid
                    || heardPosition(m_clock, now) >= m_clock.endPos - kEndSlackSeconds)) {
                m_startPosition = 0.0;
                endSessionLocked();
                setStateLocked(State::Stopped);
            }
        }
    }
    std::fill(samples + static_cast<size_t>(copied) * channels,
              samples + static_cast<size_t>(frames) * channels, 0.0f);
    std::lock_guard tapLock(m_tapMutex);
    if (m_tap)
        m_tap(samples, frames, channels);
}

void CPlayerEngine::decodeLoop(std::unique_ptr<CAudioSource> source)
{
    std::vector<float> pending;
    size_t pendingOffset = 0;  // in floats
    bool sourceDone = false;   // the source returned End for this session
    bool endMarked = false;    // ... and all of it went into the ring
    uint64_t session = UINT64_MAX;

    std::unique_lock lock(m_mutex);
    const int refill = m_ring.capacity() / kRefillDivisor;
    const int channels = m_channels;
    for (;;) {
        m_decoderWake.wait(lock, [&] {
            if (m_decoderQuit)
                return true;
            if (m_state != State::Playing)
                return false;
            return m_session != session || (!endMarked && m_ring.space() >= refill);
        });
        if (m_decoderQuit)
            return;

        if (m_session != session) {
            session = m_session;
            const double target = m_sessionStart;
            pending.clear();
            pendingOffset = 0;
            sourceDone = false;
            endMarked = false;
            lock.unlock();
            source->seek(target);
            lock.lock();
            continue;
        }
        if (pendingOffset < pending.size()) {
            const int frames = static_cast<int>((pending.size() - pendingOffset) / channels);
            const int written = m_ring.write(pending.data() + pendingOffset, frames);
            pendingOffset += static_cast<size_t>(written) * channels;
            if (pendingOffset >= pending.size()) {
                pending.clear();
                pendingOffset = 0;
            }
            continue;
        }
        if (sourceDone) {
            m_sessionEnded = true;
            endMarked = true;
            continue;
        }
        // Decoding runs unlocked; if a new session starts meanwhile, the
        // samples are dropped at the top of the loop.
        lock.unlock();
        const CAudioSource::Result result = source->decodeNext(pending);
        lock.lock();
        sourceDone = result == CAudioSource::Result::End;
    }
}

void CPlayerEngine::notifyLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_notifierWake.wait(lock, [this] { return !m_reports.empty(); });
        const int state = m_reports.front();
        m_reports.pop_front();
        const PlayStateCallback callback = m_callback;
        void *const user = m_user;
        if (callback) {
            m_inCallback = true;
            ++m_callbackCalls;
            lock.unlock();
            callback(state, user);
            lock.lock();
            m_inCallback = false;
            m_callbackDone.notify_all();
        }
        lock.unlock();
        // A stop at the end of the file is decided on the output's thread,
        // which cannot stop its own device; it is done from here.
        applyOutputActivity();
        lock.lock();
    }
}

} // namespace player
