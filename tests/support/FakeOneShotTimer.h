#pragma once

#include "core/OneShotTimer.h"

#include <QList>
#include <memory>
#include <utility>

// A timer on the test's own time line: nothing runs until the test moves time past the due moment.
class FakeOneShotTimer : public OneShotTimer
{
public:
    void start(std::chrono::milliseconds delay, std::function<void()> action) override
    {
        m_action = std::move(action);
        m_dueAt = m_now + delay;
    }
    void cancel() override { m_action = nullptr; }
    bool isPending() const override { return bool(m_action); }
    std::chrono::milliseconds remaining() const { return m_dueAt - m_now; }

    void advance(std::chrono::milliseconds step)
    {
        m_now += step;
        if (m_action && m_now >= m_dueAt)
            std::exchange(m_action, nullptr)();
    }

private:
    std::function<void()> m_action;
    std::chrono::milliseconds m_now { 0 };
    std::chrono::milliseconds m_dueAt { 0 };
};

// Timers on one time line, for code that makes a timer per task: advancing the line moves them all. It
// must outlive the timers it makes.
class FakeTimeline
{
public:
    std::function<std::unique_ptr<OneShotTimer>()> factory()
    {
        return [this] { return std::make_unique<Timer>(m_timers); };
    }

    void advance(std::chrono::milliseconds step)
    {
        for (FakeOneShotTimer *timer : QList(m_timers)) {
            if (m_timers.contains(timer))
                timer->advance(step);
        }
    }

    // The longest wait of the pending timers: the full delay just after one was started again.
    std::chrono::milliseconds longestRemaining() const
    {
        std::chrono::milliseconds longest { 0 };
        for (const FakeOneShotTimer *timer : m_timers)
            longest = std::max(longest, timer->isPending() ? timer->remaining() : longest);
        return longest;
    }

private:
    class Timer : public FakeOneShotTimer
    {
    public:
        explicit Timer(QList<FakeOneShotTimer *> &line)
            : m_line(line)
        {
            m_line.append(this);
        }
        ~Timer() override { m_line.removeOne(this); }

    private:
        QList<FakeOneShotTimer *> &m_line;
    };

    QList<FakeOneShotTimer *> m_timers;
};
