// The focus round's input access: activity counted while tracking is on, the monitors looked for again,
// and the permission the tracking needs.

#include "app/Publish.h"
#include "app/Round.h"
#include "core/AccessibilityTrust.h"
#include "core/AppPreferences.h"
#include "core/Clock.h"
#include "core/StringTable.h"
#include "session/InputActivityMonitor.h"

namespace {

constexpr double monitorRetryInterval = 3.0;

} // namespace

void Round::handleInputActivity()
{
    if (m_phase != SessionPhase::Focus || !m_preferences.trackActivity || m_countsElapsedThisRound)
        return;
    const QDateTime at = m_clock.now();
    const WorkTrackingState state = m_workTimer.state;
    // Time spent idle or waiting is not counted.
    if (state != WorkTrackingState::tracking && state != WorkTrackingState::manuallyPaused)
        m_workTimer.lastAccountingDate = at;
    if (state != WorkTrackingState::manuallyPaused) {
        m_workTimer.lastActivity = at;
        m_workTimer.state = WorkTrackingState::tracking;
    }
    publishWorkTimerState();
}

void Round::startKeyboardMonitoring()
{
    const QDateTime at = m_clock.now();
    const bool focus = m_phase == SessionPhase::Focus;
    const bool paused = m_workTimer.state == WorkTrackingState::manuallyPaused;
    if (!m_preferences.trackActivity) {
        m_monitor.stop();
        if (focus) {
            // Without tracking the round counts wall-clock time from now on.
            if (!paused) {
                m_workTimer.lastActivity = at;
                m_workTimer.lastAccountingDate = at;
                m_workTimer.state = WorkTrackingState::tracking;
            }
            publish(*this, m_trackingState, m_workTimer.state, &Round::trackingStateChanged);
        }
        return;
    }
    if (focus && !paused) {
        m_workTimer.lastActivity.reset();
        m_workTimer.lastAccountingDate = at;
        m_workTimer.state = WorkTrackingState::waitingForActivity;
    }
    const bool started = m_monitor.start();
    if (!focus)
        return;
    if (!started)
        publish(*this, m_trackingState, WorkTrackingState::permissionRequired, &Round::trackingStateChanged);
    else if (m_workTimer.state == WorkTrackingState::waitingForActivity)
        publish(*this, m_trackingState, WorkTrackingState::waitingForActivity, &Round::trackingStateChanged);
}

void Round::retryKeyboardMonitoringIfNeeded(const QDateTime &now)
{
    if (!m_preferences.trackActivity || m_monitor.bothMonitorsInstalled())
        return;
    if (m_lastMonitorRetry.msecsTo(now) / 1000.0 < monitorRetryInterval && m_lastMonitorRetry <= now)
        return;
    m_lastMonitorRetry = now;
    startKeyboardMonitoring();
}

void Round::showPermissionAlert()
{
    const AppLanguage language = m_preferences.language;
    if (m_windowSystem == WindowSystem::wayland) {
        m_alert(localized(language, QStringLiteral("没有活动来源"), QStringLiteral("No Activity Source")),
            localized(language,
                QStringLiteral("此桌面不向程序报告键盘与鼠标活动（它既不提供 GNOME 的空闲监视器，也不提供 "
                               "ext-idle-notify-v1 或 org_kde_kwin_idle）。关闭“活动监测”后，柯帆按自然经过"
                               "时间计时；休息仍会全屏显示。"),
                QStringLiteral(
                    "This desktop tells programs nothing about keyboard and mouse activity (it offers "
                    "neither GNOME's idle monitor nor ext-idle-notify-v1 nor org_kde_kwin_idle). "
                    "Switch Track Activity off and Quorvane counts elapsed time; breaks still show "
                    "full screen.")));
        return;
    }
    m_alert(localized(language, QStringLiteral("等待 X11 输入权限"),
                QStringLiteral("Waiting for X11 Input Access")),
        localized(language,
            QStringLiteral(
                "柯帆需要 X11 会话来发现键盘与鼠标活动并在休息时锁定键盘。请在登录界面选择 X11（Xorg）"
                "会话，然后完全退出并重新打开一次柯帆；当前这次运行不会再次重复申请。"),
            QStringLiteral(
                "Quorvane needs an X11 session to notice keyboard and mouse activity and to lock "
                "the keyboard during breaks. Choose an X11 (Xorg) session at the login screen, then "
                "quit and reopen Quorvane once. This launch will not repeatedly request access.")));
}

void Round::enableAutomaticTracking()
{
    if (m_trust.isTrusted()) {
        startKeyboardMonitoring();
        return;
    }
    publish(*this, m_trackingState, WorkTrackingState::permissionRequired, &Round::trackingStateChanged);
    if (!m_hasPromptedForAccessibility) {
        m_hasPromptedForAccessibility = true;
        // Asking again re-checks the display; there is no dialog to show on X11.
        (void)m_trust.requestTrust();
    }
    showPermissionAlert();
}

void Round::toggleActivityTracking()
{
    if (m_preferences.trackActivity && m_trackingState == WorkTrackingState::permissionRequired) {
        // The switch looks for a source of activity again; where the session offers none it still turns
        // tracking off, or the round could never run.
        m_inputAccessMissing = !m_trust.requestTrust();
        if (!m_inputAccessMissing) {
            startKeyboardMonitoring();
            if (m_trackingState != WorkTrackingState::permissionRequired)
                return;
            m_inputAccessMissing = true;
        }
    }
    const Status written = m_switchTracking(!m_preferences.trackActivity);
    startKeyboardMonitoring();
    syncTrackingPresentation();
    publish(*this, m_secondsRemaining, remainingSeconds(), &Round::secondsRemainingChanged);
    persistFocusSession(true, m_clock.now());
    if (!written) {
        m_alert(localized(m_preferences.language, QStringLiteral("无法保存监测设置"),
                    QStringLiteral("Could Not Save Tracking Setting")),
            StringTable::error(written.failure(), m_preferences.language));
        return;
    }
    if (m_preferences.trackActivity && m_trackingState == WorkTrackingState::permissionRequired)
        enableAutomaticTracking();
}

void Round::followWithheldActivity()
{
    if (m_activityWithheld == m_monitor.isActivityWithheld())
        return;
    m_activityWithheld = !m_activityWithheld;
    emit trackingStateChanged();
}

void Round::countElapsedTimeThisRound()
{
    if (m_phase != SessionPhase::Focus || m_countsElapsedThisRound)
        return;
    m_countsElapsedThisRound = true;
    m_activityWithheld = false;
    // From now on, as with tracking switched off; the time before was counted by activity.
    const QDateTime at = m_clock.now();
    m_workTimer.tick(at);
    if (m_workTimer.state != WorkTrackingState::manuallyPaused) {
        m_workTimer.lastActivity = at;
        m_workTimer.lastAccountingDate = at;
        m_workTimer.state = WorkTrackingState::tracking;
    }
    m_trackingState = m_workTimer.state;
    emit trackingStateChanged();
}

void Round::syncTrackingPresentation()
{
    if (m_preferences.trackActivity && !m_monitor.bothMonitorsInstalled())
        publish(*this, m_trackingState, WorkTrackingState::permissionRequired, &Round::trackingStateChanged);
    else
        publish(*this, m_trackingState, m_workTimer.state, &Round::trackingStateChanged);
}
