#include "platform/ActivitySpan.h"

void ActivitySpan::start(std::function<void()> onActivity)
{
    m_onActivity = std::move(onActivity);
    m_active = false;
}

void ActivitySpan::stop()
{
    m_onActivity = nullptr;
    m_active = false;
}

void ActivitySpan::begin()
{
    if (m_active || !m_onActivity)
        return;
    m_active = true;
    report();
}

void ActivitySpan::tick()
{
    if (m_active && m_onActivity)
        report();
}

void ActivitySpan::report()
{
    // A copy, so that the callable outlives a stop() made from within it.
    const std::function<void()> onActivity = m_onActivity;
    onActivity();
}
