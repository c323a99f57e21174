#include "platform/MainThreadHeartbeat.h"

#include <algorithm>

MainThreadHeartbeat::MainThreadHeartbeat(std::chrono::milliseconds timeout)
    : m_timeout(timeout)
{
    m_timer.setInterval(std::max(timeout / 4, std::chrono::milliseconds(10)));
    m_timer.callOnTimeout([this] {
        beat();
        if (m_onBeat)
            m_onBeat();
    });
}

void MainThreadHeartbeat::start(std::function<void()> onBeat)
{
    m_onBeat = std::move(onBeat);
    beat();
    m_timer.start();
}

void MainThreadHeartbeat::stop()
{
    m_timer.stop();
    m_onBeat = nullptr;
}

bool MainThreadHeartbeat::hasStalled() const
{
    const std::chrono::steady_clock::time_point last { std::chrono::steady_clock::duration { m_lastBeat } };
    return std::chrono::steady_clock::now() - last >= m_timeout;
}

void MainThreadHeartbeat::beat()
{
    m_lastBeat = std::chrono::steady_clock::now().time_since_epoch().count();
}
