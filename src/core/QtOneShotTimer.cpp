#include "core/QtOneShotTimer.h"

#include <utility>

QtOneShotTimer::QtOneShotTimer(Qt::TimerType type)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(type);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        // Taken out first: the action may start the timer again.
        const auto action = std::exchange(m_action, nullptr);
        if (action)
            action();
    });
}

void QtOneShotTimer::start(std::chrono::milliseconds delay, std::function<void()> action)
{
    m_action = std::move(action);
    m_timer.start(delay);
}

void QtOneShotTimer::cancel()
{
    m_timer.stop();
    m_action = nullptr;
}

bool QtOneShotTimer::isPending() const
{
    return m_timer.isActive();
}
