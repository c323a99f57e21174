#pragma once

#include "core/OneShotTimer.h"

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
