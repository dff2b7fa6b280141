#pragma once

// How long the calling thread's event loop went without turning: a timer
// asks to run every few milliseconds, and the longest time between two of
// its runs is the longest the window could not have painted or answered.
// It measures whatever loop runs (QTest::qWait, a local QEventLoop, exec()).

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

class StallProbe final : public QObject
{
public:
    explicit StallProbe(int intervalMs = 5)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] { turned(); });
        m_timer.start(intervalMs);
        reset();
    }

    // Starts measuring again from now.
    void reset()
    {
        m_clock.start();
        m_last = 0;
        m_longest = 0;
        m_longestStart = 0;
    }

    // The longest gap since the start or reset(), in milliseconds, counting
    // the one still open (a probe read from inside a stall sees it).
    double longestGapMs() const
    {
        return std::max(m_longest, m_clock.nsecsElapsed() - m_last) / 1e6;
    }
    // When that gap began, in milliseconds since the start or reset(): which
    // step of a longer action it was.
    double longestGapStartMs() const
    {
        const qint64 open = m_clock.nsecsElapsed() - m_last;
        return (open > m_longest ? m_last : m_longestStart) / 1e6;
    }

private:
    void turned()
    {
        const qint64 now = m_clock.nsecsElapsed();
        if (now - m_last > m_longest) {
            m_longest = now - m_last;
            m_longestStart = m_last;
        }
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_longestStart = 0;
};
