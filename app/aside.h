#pragma once

#include <QObject>
#include <QThread>

#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <type_traits>
#include <utility>

// Runs work on a thread of its own and hands its result back through a
// std::future: std::async, except on Windows. There a thread Qt did not
// start and that used Qt (an image read, which loads the format plugins)
// crashes inside Qt when it ends, as MinGW's thread-local destructors and
// Qt's clean-up of such adopted threads meet; a QThread ends cleanly.
template <typename F, typename... Args>
auto startAside(F &&function, Args &&...args) -> std::future<std::invoke_result_t<F, Args...>>
{
#ifdef Q_OS_WIN
    using Result = std::invoke_result_t<F, Args...>;
    auto task = std::make_shared<std::packaged_task<Result()>>(
        std::bind(std::forward<F>(function), std::forward<Args>(args)...));
    std::future<Result> result = task->get_future();
    QThread *thread = QThread::create([task] { (*task)(); });
    // Deleted by the thread that made it once the work is done; one still
    // running when the program ends is left to the system.
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return result;
#else
    return std::async(std::launch::async, std::forward<F>(function), std::forward<Args>(args)...);
#endif
}

// A thread of its own that runs Qt objects (an event loop, a socket server)
// and is joined by whoever made it: a std::thread, except on Windows, where
// such a thread must be a QThread for the reason above.
class CAsideThread final
{
    Q_DISABLE_COPY_MOVE(CAsideThread)

public:
    CAsideThread() = default;
    ~CAsideThread() { join(); }

    void start(std::function<void()> work)
    {
#ifdef Q_OS_WIN
        m_thread.reset(QThread::create(std::move(work)));
        m_thread->start();
#else
        m_thread = std::thread(std::move(work));
#endif
    }
    bool joinable() const
    {
#ifdef Q_OS_WIN
        return bool(m_thread);
#else
        return m_thread.joinable();
#endif
    }
    void join()
    {
#ifdef Q_OS_WIN
        if (m_thread) {
            m_thread->wait();
            m_thread.reset();
        }
#else
        if (m_thread.joinable())
            m_thread.join();
#endif
    }

private:
#ifdef Q_OS_WIN
    std::unique_ptr<QThread> m_thread;
#else
    std::thread m_thread;
#endif
};
