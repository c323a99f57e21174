#include "session/InputActivityMonitor.h"

namespace {

constexpr qint64 minimumReportIntervalMs = 250;

} // namespace

InputActivityMonitor::InputActivityMonitor(AccessibilityTrust &trust, const Clock &clock,
    std::unique_ptr<InputActivityBackend> globalBackend, std::unique_ptr<InputActivityBackend> localBackend)
    : m_trust(trust)
    , m_clock(clock)
    , m_globalBackend(std::move(globalBackend))
    , m_localBackend(std::move(localBackend))
{ }

InputActivityMonitor::~InputActivityMonitor()
{
    stop();
}

bool InputActivityMonitor::start()
{
    if (!m_trust.isTrusted()) {
        stop();
        return false;
    }
    if (bothMonitorsInstalled())
        return true;

    const auto report = [this] { reportActivity(m_clock.now()); };
    if (!m_hasGlobalMonitor)
        m_hasGlobalMonitor = m_globalBackend->install(report);
    if (!m_hasLocalMonitor)
        m_hasLocalMonitor = m_localBackend->install(report);
    if (bothMonitorsInstalled())
        return true;
    stop();
    return false;
}

void InputActivityMonitor::stop()
{
    if (m_hasGlobalMonitor)
        m_globalBackend->remove();
    if (m_hasLocalMonitor)
        m_localBackend->remove();
    m_hasGlobalMonitor = false;
    m_hasLocalMonitor = false;
    m_lastReportedActivity = QDateTime();
}

void InputActivityMonitor::tick()
{
    if (m_hasGlobalMonitor)
        m_globalBackend->tick();
    if (m_hasLocalMonitor)
        m_localBackend->tick();
}

void InputActivityMonitor::reportActivity(const QDateTime &at)
{
    // A date before the last report means the wall clock was set back; waiting for the old date to come
    // round again would hide all activity until then, so it reports.
    if (m_lastReportedActivity.isValid()) {
        const qint64 sinceLastReport = m_lastReportedActivity.msecsTo(at);
        if (sinceLastReport >= 0 && sinceLastReport < minimumReportIntervalMs)
            return;
    }
    m_lastReportedActivity = at;
    if (onActivity)
        onActivity();
}
