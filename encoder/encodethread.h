#pragma once

#include "pipeline.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace tq {

// Runs the encode and write stages on a thread of their own, fed with
// filtered frames through a short queue, so that decoding overlaps with
// encoding (the AAC encoder is the costly stage of a ringtone). A WAV's
// thread is fed decoded frames and filters them too, so that the decoder
// has its thread to itself and the resampler and the writes run beside it.
// Frames are handed over by reference, never copied. The queue holds few
// frames, so memory stays flat.
class EncodeThread final
{
public:
    // What the thread does with each frame, and with null at the end; by
    // default it encodes (encode()), flushing the encoder at the end.
    using Work = std::function<Error(AVFrame *)>;

    EncodeThread(Output &out, ProgressCallback progress, Work work = {});
    ~EncodeThread();
    EncodeThread(const EncodeThread &) = delete;
    EncodeThread &operator=(const EncodeThread &) = delete;

    // Takes the frame's reference. False once the thread has failed: stop
    // feeding and call finish() for the error.
    bool push(AVFrame *frame);
    // Flushes the encoder, waits for the thread and returns its error.
    Error finish();

private:
    void run();

    Output &m_out;
    ProgressCallback m_progress;
    Work m_work;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<av::FramePtr> m_frames;
    bool m_ending = false;
    bool m_failed = false;
    bool m_producerWaiting = false;
    bool m_consumerWaiting = false;
    Error m_error;
    std::thread m_thread;
};

} // namespace tq
