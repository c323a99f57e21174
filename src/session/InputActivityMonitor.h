#pragma once

#include "core/AccessibilityTrust.h"
#include "core/Clock.h"
#include "core/InputActivityBackend.h"

#include <QDateTime>
#include <functional>
#include <memory>

// Tells its owner that the user is at the keyboard or mouse, at most once per 0.25 s, from the events of
// the whole session (the global monitor) and of this application's windows (the local monitor).
class InputActivityMonitor
{
public:
    InputActivityMonitor(AccessibilityTrust &trust, const Clock &clock,
        std::unique_ptr<InputActivityBackend> globalBackend,
        std::unique_ptr<InputActivityBackend> localBackend);
    ~InputActivityMonitor();

    InputActivityMonitor(const InputActivityMonitor &) = delete;
    InputActivityMonitor &operator=(const InputActivityMonitor &) = delete;

    // Installs both monitors; true when both are installed. Without trust nothing is installed and no
    // prompt is shown.
    bool start();

    // Removes both monitors and forgets the last report, so the first event after a restart reports at once.
    void stop();

    // The owner's 0.25 s tick, passed on to the installed monitors: input they held back since their last
    // report is reported here, as the throttle allows.
    void tick();

    bool hasGlobalMonitor() const { return m_hasGlobalMonitor; }
    bool hasLocalMonitor() const { return m_hasLocalMonitor; }
    // Both monitors installed: only then can activity be tracked.
    bool bothMonitorsInstalled() const { return m_hasGlobalMonitor && m_hasLocalMonitor; }
    // The session's input is withheld from the global monitor: this application's own windows are all it
    // sees.
    bool isActivityWithheld() const { return m_hasGlobalMonitor && m_globalBackend->isWithheld(); }

    // Called on the main thread for each report.
    std::function<void()> onActivity;

private:
    void reportActivity(const QDateTime &at);

    AccessibilityTrust &m_trust;
    const Clock &m_clock;
    std::unique_ptr<InputActivityBackend> m_globalBackend;
    std::unique_ptr<InputActivityBackend> m_localBackend;
    bool m_hasGlobalMonitor = false;
    bool m_hasLocalMonitor = false;
    // Invalid until the first report after a stop.
    QDateTime m_lastReportedActivity;
};
