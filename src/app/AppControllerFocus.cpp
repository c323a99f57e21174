// The focus round: opening, counting, pausing, saving and closing it, and the input access it needs.

#include "app/AppController.h"
#include "app/Publish.h"
#include "core/AccessibilityTrust.h"
#include "core/StringTable.h"
#include "session/InputActivityMonitor.h"
#include "storage/AppStorageService.h"
#include "storage/FocusSessionLogger.h"

#include <cmath>
#include <limits>

namespace {

// Seconds as a whole number, halves away from zero.
qint64 roundedSeconds(double seconds)
{
    if (!std::isfinite(seconds))
        return 0;
    constexpr double largest = 9.2e18;
    return std::llround(std::clamp(seconds, -largest, largest));
}

} // namespace

qint64 AppController::remainingSeconds() const
{
    const double remaining = std::ceil(m_workTimer.duration - m_workTimer.accumulatedActiveTime);
    if (!(remaining > 0))
        return 0;
    return remaining >= 9.2e18 ? std::numeric_limits<qint64>::max() : qint64(remaining);
}

QString AppController::defaultFocusTitle(qint64 sessionNumber) const
{
    return localized(language(), QStringLiteral("第 %1 轮专注").arg(sessionNumber),
        QStringLiteral("Focus Round %1").arg(sessionNumber));
}

QString AppController::defaultBreakTitle(qint64 sessionNumber) const
{
    return localized(language(), QStringLiteral("第 %1 轮课间").arg(sessionNumber),
        QStringLiteral("Break Round %1").arg(sessionNumber));
}

void AppController::resetWorkTimer(const QDateTime &now)
{
    m_workTimer.duration = std::max(double(m_secondsRemaining), 1.0);
    m_workTimer.idleTimeout = std::max(double(secondsFromMinutes(m_preferences.keyboardIdleMinutes)), 1.0);
    m_workTimer.accumulatedActiveTime = 0;
    m_workTimer.lastActivity.reset();
    m_workTimer.lastAccountingDate = now;
    m_workTimer.state = WorkTrackingState::waitingForActivity;
}

void AppController::startNewFocusSession()
{
    const QDateTime at = now();
    publish(*this, m_phase, SessionPhase::Focus, &AppController::phaseChanged);
    publish(*this, m_sessionNumber, nextSessionNumber(), &AppController::sessionNumberChanged);
    m_breakWheel->reset();
    m_currentSessionID = Uuid::newEventID();
    m_currentFocusStartedAt = at;
    m_currentFocusLogID.reset();
    m_journal->setRoundText(defaultFocusTitle(m_sessionNumber), QString());
    publish(*this, m_secondsRemaining, secondsFromMinutes(m_preferences.sessionMinutes),
        &AppController::secondsRemainingChanged);
    resetWorkTimer(at);
    if (!m_preferences.trackActivity) {
        // Without tracking the round counts wall-clock time from its start, as the tick would have it.
        m_workTimer.lastActivity = at;
        m_workTimer.state = WorkTrackingState::tracking;
    }
    syncTrackingPresentation();
    persistFocusSession(true, at);
    m_music->playFor(m_phase, m_appearance->videoSoundTakesPriority());
}

void AppController::completeFocusSession(bool countAsCompleted)
{
    const QDateTime at = now();
    const FocusSessionLogEntry entry {
        m_currentSessionID,
        m_currentFocusStartedAt,
        at,
        m_sessionNumber,
        m_journal->currentSessionTitle(),
        roundedSeconds(m_workTimer.accumulatedActiveTime),
        roundedSeconds(m_workTimer.duration),
        countAsCompleted,
        m_journal->currentSessionNotes(),
    };
    // Rounds that an earlier failure kept back go first, so that the log stays in order.
    m_unsavedRounds.append(entry);
    const Status appended = writeUnsavedRounds();
    tellAboutMovedAsideLogs();
    if (!appended) {
        m_sheets->showAlert(localized(language(), QStringLiteral("番茄记录写入失败"),
                                QStringLiteral("Could Not Save Focus Record")),
            logErrorText(appended, m_focusLog->filePath()));
    }
    publish(*this, m_secondsRemaining, qint64(0), &AppController::secondsRemainingChanged);
    publish(*this, m_phase, SessionPhase::SessionComplete, &AppController::phaseChanged);
    m_savedFocusSnapshot.reset();
    m_music->playFor(m_phase, m_appearance->videoSoundTakesPriority());
    m_window->bringMainWindowForward();
    if (m_seams.roundEndNotice) {
        m_seams.roundEndNotice->show(StringTable::text(QStringLiteral("这一轮完成了"), language()),
            localized(language(), QStringLiteral("该休息了：打开柯帆开始休息。"),
                QStringLiteral("Time for a break: open Quorvane to start it.")),
            localized(language(), QStringLiteral("打开柯帆"), QStringLiteral("Open Quorvane")));
    }
}

Status AppController::writeUnsavedRounds()
{
    Status written;
    const qsizetype unsaved = m_unsavedRounds.size();
    while (!m_unsavedRounds.isEmpty() && (written = m_focusLog->append(m_unsavedRounds.first()))) {
        // The round's saved state goes only now that its row is safe; a later round's is not its own.
        if (m_unsavedRounds.takeFirst().eventID == m_currentSessionID) {
            m_currentFocusLogID = m_currentSessionID;
            AppStorageService::clearActiveFocusSession(m_root);
        }
    }
    if (m_unsavedRounds.size() < unsaved)
        publishWrittenRows();
    return written;
}

void AppController::publishWrittenRows()
{
    // The day's counts and score come from what the logs hold, never from what failed to reach them.
    m_statistics->reload(now());
    m_journal->advanceRevision();
}

qint64 AppController::nextSessionNumber() const
{
    const auto waiting = std::count_if(m_unsavedRounds.cbegin(), m_unsavedRounds.cend(),
        [](const FocusSessionLogEntry &round) { return round.completed; });
    return m_statistics->todayCompletedSessions() + waiting + 1;
}

void AppController::finishFocusNow()
{
    if (m_phase == SessionPhase::Focus)
        completeFocusSession(false);
}

void AppController::toggleManualPause()
{
    if (m_phase != SessionPhase::Focus)
        return;
    const QDateTime at = now();
    if (m_workTimer.state != WorkTrackingState::manuallyPaused) {
        m_workTimer.tick(at);
        if (m_workTimer.isComplete()) {
            publish(*this, m_secondsRemaining, qint64(0), &AppController::secondsRemainingChanged);
            completeFocusSession(true);
            return;
        }
        m_workTimer.lastActivity.reset();
        m_workTimer.lastAccountingDate = at;
        m_workTimer.state = WorkTrackingState::manuallyPaused;
    } else {
        // The idle timeout counts from the resume.
        m_workTimer.lastAccountingDate = at;
        m_workTimer.lastActivity = at;
        m_workTimer.state = WorkTrackingState::tracking;
    }
    publishWorkTimerState();
    persistFocusSession(true, at);
}

void AppController::persistFocusSession(bool force, const QDateTime &now)
{
    if (m_phase != SessionPhase::Focus)
        return;
    // A last save that lies in the future means the clock was set back: save now rather than wait
    // for the clock to catch up.
    if (!force && m_lastFocusSnapshotSave.msecsTo(now) < 5000 && m_lastFocusSnapshotSave <= now)
        return;
    m_lastFocusSnapshotSave = now;
    ActiveFocusSessionSnapshot snapshot;
    snapshot.targetSeconds = m_workTimer.duration;
    snapshot.accumulatedActiveSeconds = m_workTimer.accumulatedActiveTime;
    snapshot.savedAtEpoch = now.toMSecsSinceEpoch() / 1000.0;
    snapshot.manuallyPaused = m_workTimer.state == WorkTrackingState::manuallyPaused;
    snapshot.sessionID = m_currentSessionID;
    snapshot.startedAtEpoch = m_currentFocusStartedAt.toMSecsSinceEpoch() / 1000.0;
    snapshot.notes = m_journal->currentSessionNotes();
    snapshot.title = m_journal->currentSessionTitle();
    // A round that stands still (waiting for activity, idle or paused) is not written again every five
    // seconds: only the save time would change, and a restart does not use it.
    ActiveFocusSessionSnapshot content = snapshot;
    content.savedAtEpoch = 0;
    if (!force && m_savedFocusSnapshot == content)
        return;
    // A failed write is tried again by the next forced or throttled save.
    if (AppStorageService::saveActiveFocusSession(snapshot, m_root))
        m_savedFocusSnapshot = content;
    else
        m_savedFocusSnapshot.reset();
}

void AppController::handleInputActivity()
{
    if (m_phase != SessionPhase::Focus || !m_preferences.trackActivity)
        return;
    const QDateTime at = now();
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

void AppController::startKeyboardMonitoring()
{
    const QDateTime at = now();
    const bool focus = m_phase == SessionPhase::Focus;
    const bool paused = m_workTimer.state == WorkTrackingState::manuallyPaused;
    if (!m_preferences.trackActivity) {
        m_inputActivityMonitor->stop();
        if (focus) {
            // Without tracking the round counts wall-clock time from now on.
            if (!paused) {
                m_workTimer.lastActivity = at;
                m_workTimer.lastAccountingDate = at;
                m_workTimer.state = WorkTrackingState::tracking;
            }
            publish(*this, m_trackingState, m_workTimer.state, &AppController::trackingStateChanged);
        }
        return;
    }
    if (focus && !paused) {
        m_workTimer.lastActivity.reset();
        m_workTimer.lastAccountingDate = at;
        m_workTimer.state = WorkTrackingState::waitingForActivity;
    }
    const bool started = m_inputActivityMonitor->start();
    if (!focus)
        return;
    if (!started)
        publish(*this, m_trackingState, WorkTrackingState::permissionRequired,
            &AppController::trackingStateChanged);
    else if (m_workTimer.state == WorkTrackingState::waitingForActivity)
        publish(*this, m_trackingState, WorkTrackingState::waitingForActivity,
            &AppController::trackingStateChanged);
}

void AppController::showPermissionAlert()
{
    if (m_seams.windowSystem == WindowSystem::wayland) {
        m_sheets->showAlert(
            localized(language(), QStringLiteral("没有活动来源"), QStringLiteral("No Activity Source")),
            localized(language(),
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
    m_sheets->showAlert(localized(language(), QStringLiteral("等待 X11 输入权限"),
                            QStringLiteral("Waiting for X11 Input Access")),
        localized(language(),
            QStringLiteral(
                "柯帆需要 X11 会话来发现键盘与鼠标活动并在休息时锁定键盘。请在登录界面选择 X11（Xorg）"
                "会话，然后完全退出并重新打开一次柯帆；当前这次运行不会再次重复申请。"),
            QStringLiteral(
                "Quorvane needs an X11 session to notice keyboard and mouse activity and to lock "
                "the keyboard during breaks. Choose an X11 (Xorg) session at the login screen, then "
                "quit and reopen Quorvane once. This launch will not repeatedly request access.")));
}

void AppController::enableAutomaticTracking()
{
    if (m_seams.trust->isTrusted()) {
        startKeyboardMonitoring();
        return;
    }
    publish(
        *this, m_trackingState, WorkTrackingState::permissionRequired, &AppController::trackingStateChanged);
    if (!m_hasPromptedForAccessibility) {
        m_hasPromptedForAccessibility = true;
        // Asking again re-checks the display; there is no dialog to show on X11.
        (void)m_seams.trust->requestTrust();
    } else {
        openAccessibilitySettings();
    }
    showPermissionAlert();
}

void AppController::toggleActivityTracking()
{
    if (m_preferences.trackActivity && m_trackingState == WorkTrackingState::permissionRequired) {
        // The switch looks for a source of activity again; where the session offers none it still turns
        // tracking off, or the round could never run.
        m_inputAccessMissing = !m_seams.trust->requestTrust();
        if (!m_inputAccessMissing) {
            startKeyboardMonitoring();
            if (m_trackingState != WorkTrackingState::permissionRequired)
                return;
            m_inputAccessMissing = true;
        }
    }
    const bool previous = m_preferences.trackActivity;
    AppPreferences changed = m_preferences;
    changed.trackActivity = !previous;
    setPreferences(changed);
    startKeyboardMonitoring();
    syncTrackingPresentation();
    publish(*this, m_secondsRemaining, remainingSeconds(), &AppController::secondsRemainingChanged);
    persistFocusSession(true, now());
    if (Status written = writePreferences(); !written) {
        AppPreferences restored = m_preferences;
        restored.trackActivity = previous;
        setPreferences(restored);
        startKeyboardMonitoring();
        syncTrackingPresentation();
        m_sheets->showAlert(localized(language(), QStringLiteral("无法保存监测设置"),
                                QStringLiteral("Could Not Save Tracking Setting")),
            written.error());
        return;
    }
    if (m_preferences.trackActivity && m_trackingState == WorkTrackingState::permissionRequired)
        enableAutomaticTracking();
}

void AppController::syncTrackingPresentation()
{
    if (m_preferences.trackActivity && !m_inputActivityMonitor->bothMonitorsInstalled())
        publish(*this, m_trackingState, WorkTrackingState::permissionRequired,
            &AppController::trackingStateChanged);
    else
        publish(*this, m_trackingState, m_workTimer.state, &AppController::trackingStateChanged);
}

bool AppController::saveRoundText(const std::optional<QString> &title, const QString &notes)
{
    if (m_phase == SessionPhase::Focus) {
        persistFocusSession(true, now());
        return false;
    }
    // A row still waiting to be written takes the edit with it.
    for (FocusSessionLogEntry &unsaved : m_unsavedRounds) {
        if (unsaved.eventID != m_currentSessionID)
            continue;
        unsaved.title = title.value_or(unsaved.title);
        unsaved.notes = notes;
    }
    if (!m_currentFocusLogID)
        return false;
    // The next write of the row carries the edit if this one fails.
    (void)m_focusLog->updateEntry(*m_currentFocusLogID, title, notes, now().toLocalTime().date());
    return true;
}
