#include "encodethread.h"

#include <chrono>

namespace tq {

namespace {

// Frames travel in batches: waking a thread for every MP3 frame (26 ms of
// audio, decoded in microseconds) would cost more than the overlap gains.
// The limit rides over a slow write while holding a few hundred kilobytes.
constexpr size_t Batch = 16;
constexpr size_t QueueLimit = 4 * Batch;

using Clock = std::chrono::steady_clock;
constexpr auto ProgressInterval = std::chrono::milliseconds(500);

} // namespace

EncodeThread::EncodeThread(Output &out, ProgressCallback progress, Work work)
    : m_out(out)
    , m_progress(std::move(progress))
    , m_work(work ? std::move(work) : [&out](AVFrame *frame) { return encode(out, frame); })
    , m_thread(&EncodeThread::run, this)
{
}

EncodeThread::~EncodeThread()
{
    if (m_thread.joinable())
        finish();
}

bool EncodeThread::push(AVFrame *frame)
{
    av::FramePtr moved = av::makeFrame();
    if (!moved)
        return false;
    av_frame_move_ref(moved.get(), frame);
    std::unique_lock lock(m_mutex);
    if (m_frames.size() >= QueueLimit) {
        m_producerWaiting = true;
        m_wake.wait(lock, [this] { return m_frames.size() < QueueLimit || m_failed; });
        m_producerWaiting = false;
    }
    if (m_failed)
        return false;
    m_frames.push_back(std::move(moved));
    if (m_consumerWaiting && m_frames.size() >= Batch)
        m_wake.notify_all();
    return true;
}

Error EncodeThread::finish()
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    return m_error;
}

void EncodeThread::run()
{
    auto nextReport = Clock::now() + ProgressInterval;
    std::deque<av::FramePtr> batch;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            if (m_frames.size() < Batch && !m_ending) {
                m_consumerWaiting = true;
                m_wake.wait(lock, [this] { return m_frames.size() >= Batch || m_ending; });
                m_consumerWaiting = false;
            }
            if (m_frames.empty())
                break; // ending, and everything encoded
            batch.swap(m_frames);
            if (m_producerWaiting)
                m_wake.notify_all();
        }
        for (av::FramePtr &frame : batch) {
            Error error = m_work(frame.get());
            if (!error.empty()) {
                std::lock_guard lock(m_mutex);
                m_error = std::move(error);
                m_failed = true;
                m_frames.clear();
                m_wake.notify_all();
                return;
            }
        }
        batch.clear();
        if (m_progress && Clock::now() >= nextReport) {
            m_progress(progressOf(m_out));
            nextReport += ProgressInterval;
        }
    }
    // The encoder holds back its last frames until it is flushed.
    m_error = m_work(nullptr);
}

} // namespace tq
