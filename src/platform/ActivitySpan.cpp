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
    m_quietTicks = 0;
    if (m_active || !m_onActivity)
        return;
    m_active = true;
    report();
}

void ActivitySpan::tick()
{
    if (!m_active || !m_onActivity)
        return;
    // Without fresh notices a span would count a user who left as present for as long as the compositor
    // stays silent.
    if (m_endAfterQuietTicks > 0 && ++m_quietTicks > m_endAfterQuietTicks) {
        m_active = false;
        return;
    }
    report();
}

void ActivitySpan::report()
{
    // A copy, so that the callable outlives a stop() made from within it.
    const std::function<void()> onActivity = m_onActivity;
    onActivity();
}
