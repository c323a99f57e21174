// The focus/break cycle: opening, counting, pausing, saving and closing the focus round, and the break's
// steps through the cycle.

#include "app/Round.h"

#include "app/Publish.h"
#include "app/Statistics.h"
#include "core/AppPreferences.h"
#include "core/Clock.h"
#include "core/RoundEndNotice.h"
#include "core/StringTable.h"
#include "core/Uuid.h"
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

// Seconds as milliseconds; none for a number no date can carry (a hand-edited snapshot may hold one).
std::optional<qint64> milliseconds(double seconds)
{
    constexpr double largest = 1e11; // about 3,000 years
    if (!std::isfinite(seconds) || std::abs(seconds) > largest)
        return std::nullopt;
    return std::llround(seconds * 1000);
}

// Minutes of a setting as seconds: at least one minute, never overflowing.
qint64 secondsFromMinutes(qint64 minutes)
{
    // A hand-edited settings file may hold a number so large that the product would overflow.
    constexpr qint64 largest = std::numeric_limits<qint64>::max() / 60;
    return std::clamp<qint64>(minutes, 1, largest) * 60;
}

// A far past instant, so that the first throttled look always runs.
QDateTime distantPast()
{
    return QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
}

} // namespace

Round::Round(Clock &clock, const AppPreferences &preferences, AlertSink alert, FocusSessionLogger &focusLog,
    CSVLogger &activityLog, Statistics &statistics, InputActivityMonitor &monitor, AccessibilityTrust &trust,
    RoundEndNotice *roundEndNotice, WindowSystem windowSystem, const QString &root,
    TrackingSwitch switchTracking)
    : m_clock(clock)
    , m_preferences(preferences)
    , m_alert(std::move(alert))
    , m_focusLog(focusLog)
    , m_activityLog(activityLog)
    , m_statistics(statistics)
    , m_monitor(monitor)
    , m_trust(trust)
    , m_roundEndNotice(roundEndNotice)
    , m_windowSystem(windowSystem)
    , m_root(root)
    , m_switchTracking(std::move(switchTracking))
    , m_lastMonitorRetry(distantPast())
    , m_lastFocusSnapshotSave(distantPast())
    , m_currentSessionID(Uuid::newEventID())
    , m_currentFocusStartedAt(clock.now())
{
    m_monitor.onActivity = [this] { handleInputActivity(); };
}

Round::~Round()
{
    // The monitor outlives the round; it must not call into it while it is being torn down.
    m_monitor.onActivity = nullptr;
}

int Round::secondsRemainingForDisplay() const
{
    return int(std::clamp<qint64>(m_secondsRemaining, 0, std::numeric_limits<int>::max()));
}

QString Round::formattedTime() const
{
    return formattedTime(m_secondsRemaining);
}

QString Round::formattedTime(qint64 seconds)
{
    const qint64 s = std::max<qint64>(seconds, 0);
    return QStringLiteral("%1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString Round::trackingStateName() const
{
    return rawValue(m_trackingState);
}

bool Round::isActivityTrackingOn() const
{
    return m_preferences.trackActivity && m_trackingState != WorkTrackingState::permissionRequired;
}

qint64 Round::remainingSeconds() const
{
    const double remaining = std::ceil(m_workTimer.duration - m_workTimer.accumulatedActiveTime);
    if (!(remaining > 0))
        return 0;
    return remaining >= 9.2e18 ? std::numeric_limits<qint64>::max() : qint64(remaining);
}

QString Round::defaultFocusTitle(qint64 sessionNumber) const
{
    return localized(m_preferences.language, QStringLiteral("第 %1 轮专注").arg(sessionNumber),
        QStringLiteral("Focus Round %1").arg(sessionNumber));
}

QString Round::defaultBreakTitle(qint64 sessionNumber) const
{
    return localized(m_preferences.language, QStringLiteral("第 %1 轮课间").arg(sessionNumber),
        QStringLiteral("Break Round %1").arg(sessionNumber));
}

void Round::load(const QDateTime &startedAt)
{
    const AppPreferences &preferences = m_preferences;
    m_secondsRemaining = secondsFromMinutes(preferences.sessionMinutes);
    m_workTimer.duration = std::max(double(m_secondsRemaining), 1.0);
    m_workTimer.idleTimeout = std::max(double(secondsFromMinutes(preferences.keyboardIdleMinutes)), 1.0);

    QString restoredTitle;
    QString restoredNotes;
    std::optional<ActiveFocusSessionSnapshot> snapshot = AppStorageService::loadActiveFocusSession(m_root);
    if (snapshot)
        adoptEndedRounds(snapshot->endedRounds);
    if (snapshot && snapshot->isRestorable()) {
        m_workTimer.restore(*snapshot, startedAt);
        m_secondsRemaining = remainingSeconds();
        m_restoredFocusSession = true;
        m_currentSessionID = snapshot->sessionID.value_or(Uuid::newEventID());
        const auto storedStart
            = snapshot->startedAtEpoch ? milliseconds(*snapshot->startedAtEpoch) : std::nullopt;
        m_currentFocusStartedAt = storedStart
            ? QDateTime::fromMSecsSinceEpoch(*storedStart, Qt::UTC)
            : startedAt.addMSecs(-milliseconds(snapshot->accumulatedActiveSeconds).value_or(0));
        restoredNotes = snapshot->notes.value_or(QString());
        restoredTitle = snapshot->title.value_or(QString());
    }

    // The header shows the number from start-up on.
    publish(*this, m_sessionNumber, nextSessionNumber(), &Round::sessionNumberChanged);
    setRoundText(restoredTitle.trimmed().isEmpty() ? defaultFocusTitle(m_sessionNumber) : restoredTitle,
        restoredNotes);
}

void Round::open()
{
    // Rounds that ended in the last run without their row come first, so that the log stays in order.
    (void)writeUnsavedRounds();
    if (m_restoredFocusSession) {
        m_restoredFocusSession = false;
        restoreFocusSessionUI();
    } else {
        startNewFocusSession();
    }
    startKeyboardMonitoring();
}

void Round::tick()
{
    if (m_phase != SessionPhase::Focus)
        return;
    // One instant for the whole tick: the saved state then says what the timer counted.
    const QDateTime now = m_clock.now();
    const bool trackActivity = m_preferences.trackActivity && !m_countsElapsedThisRound;
    if (trackActivity) {
        retryKeyboardMonitoringIfNeeded(now);
        // Without both monitors the round cannot see activity: it stands still rather than idling away.
        if (!m_monitor.bothMonitorsInstalled())
            return;
        followWithheldActivity();
    }
    const bool reached = trackActivity ? m_workTimer.tick(now) : m_workTimer.tickContinuously(now);
    if (reached) {
        publish(*this, m_secondsRemaining, qint64(0), &Round::secondsRemainingChanged);
        completeFocusSession(true);
        return;
    }
    publishWorkTimerState();
    persistFocusSession(false, now);
}

void Round::followNewDay()
{
    publish(*this, m_sessionNumber, nextSessionNumber(), &Round::sessionNumberChanged);
}

void Round::followSavedSettings(const AppPreferences &previous, const AppPreferences &saved)
{
    // A new round length waits for the next round; the idle threshold applies at once.
    m_workTimer.idleTimeout = double(secondsFromMinutes(saved.keyboardIdleMinutes));
    if (previous.trackActivity != saved.trackActivity)
        startKeyboardMonitoring();
}

void Round::saveForQuit()
{
    writeUnsavedRows();
    if (m_currentFocusLogID && m_phase != SessionPhase::Focus)
        (void)m_focusLog.updateEntry(
            *m_currentFocusLogID, m_title, m_notes, m_clock.now().toLocalTime().date());
    if (m_phase == SessionPhase::Focus) {
        const QDateTime at = m_clock.now();
        // The round is accounted once more but not closed: a restart resumes it.
        m_workTimer.tick(at);
        publish(*this, m_secondsRemaining, remainingSeconds(), &Round::secondsRemainingChanged);
        persistFocusSession(true, at);
    }
}

void Round::resetWorkTimer(const QDateTime &now)
{
    m_workTimer.duration = std::max(double(m_secondsRemaining), 1.0);
    m_workTimer.idleTimeout = std::max(double(secondsFromMinutes(m_preferences.keyboardIdleMinutes)), 1.0);
    m_workTimer.accumulatedActiveTime = 0;
    m_workTimer.lastActivity.reset();
    m_workTimer.lastAccountingDate = now;
    m_workTimer.state = WorkTrackingState::waitingForActivity;
}

void Round::startNewFocusSession()
{
    const QDateTime at = m_clock.now();
    publish(*this, m_phase, SessionPhase::Focus, &Round::phaseChanged);
    publish(*this, m_sessionNumber, nextSessionNumber(), &Round::sessionNumberChanged);
    m_currentSessionID = Uuid::newEventID();
    m_currentFocusStartedAt = at;
    m_currentFocusLogID.reset();
    m_countsElapsedThisRound = false;
    setRoundText(defaultFocusTitle(m_sessionNumber), QString());
    publish(*this, m_secondsRemaining, secondsFromMinutes(m_preferences.sessionMinutes),
        &Round::secondsRemainingChanged);
    resetWorkTimer(at);
    if (!m_preferences.trackActivity) {
        // Without tracking the round counts wall-clock time from its start, as the tick would have it.
        m_workTimer.lastActivity = at;
        m_workTimer.state = WorkTrackingState::tracking;
    }
    syncTrackingPresentation();
    persistFocusSession(true, at);
    emit roundOpened();
}

void Round::restoreFocusSessionUI()
{
    publish(*this, m_phase, SessionPhase::Focus, &Round::phaseChanged);
    publish(*this, m_sessionNumber, nextSessionNumber(), &Round::sessionNumberChanged);
    publish(*this, m_secondsRemaining, remainingSeconds(), &Round::secondsRemainingChanged);
    publish(*this, m_trackingState, m_workTimer.state, &Round::trackingStateChanged);
    persistFocusSession(true, m_clock.now());
    emit roundOpened();
}

void Round::completeFocusSession(bool countAsCompleted)
{
    const QDateTime at = m_clock.now();
    const AppLanguage language = m_preferences.language;
    const FocusSessionLogEntry entry {
        m_currentSessionID,
        m_currentFocusStartedAt,
        at,
        m_sessionNumber,
        m_title,
        roundedSeconds(m_workTimer.accumulatedActiveTime),
        roundedSeconds(m_workTimer.duration),
        countAsCompleted,
        m_notes,
    };
    // Rounds that an earlier failure kept back go first, so that the log stays in order. The row waits
    // before the phase moves: the views flush a pending note as the console goes, and that note must find
    // the row.
    m_unsavedRounds.append(entry);
    // The round is over before its row is written: its saved state then records it as ended, never as
    // running, whatever the write does.
    publish(*this, m_secondsRemaining, qint64(0), &Round::secondsRemainingChanged);
    publish(*this, m_phase, SessionPhase::SessionComplete, &Round::phaseChanged);
    m_savedFocusSnapshot.reset();
    const Status appended = writeUnsavedRounds();
    emit logsWritten();
    if (!appended) {
        persistEndedRounds();
        m_alert(localized(language, QStringLiteral("番茄记录写入失败"),
                    QStringLiteral("Could Not Save Focus Record")),
            logErrorText(appended, m_focusLog.filePath(), language) + u' ' + keptUntilWrittenText(language));
    }
    emit roundEnded();
    if (m_roundEndNotice) {
        m_roundEndNotice->show(StringTable::text(QStringLiteral("这一轮完成了"), language),
            localized(language, QStringLiteral("该休息了：打开柯帆开始休息。"),
                QStringLiteral("Time for a break: open Quorvane to start it.")),
            localized(language, QStringLiteral("打开柯帆"), QStringLiteral("Open Quorvane")));
    }
}

void Round::finishFocusNow()
{
    if (m_phase == SessionPhase::Focus)
        completeFocusSession(false);
}

void Round::toggleManualPause()
{
    if (m_phase != SessionPhase::Focus)
        return;
    const QDateTime at = m_clock.now();
    if (m_workTimer.state != WorkTrackingState::manuallyPaused) {
        m_workTimer.tick(at);
        if (m_workTimer.isComplete()) {
            publish(*this, m_secondsRemaining, qint64(0), &Round::secondsRemainingChanged);
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

void Round::publishWorkTimerState()
{
    publish(*this, m_trackingState, m_workTimer.state, &Round::trackingStateChanged);
    publish(*this, m_secondsRemaining, remainingSeconds(), &Round::secondsRemainingChanged);
}

void Round::persistFocusSession(bool force, const QDateTime &now)
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
    snapshot.notes = m_notes;
    snapshot.title = m_title;
    snapshot.endedRounds = m_unsavedRounds;
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

void Round::showLockedBreak()
{
    if (m_roundEndNotice)
        m_roundEndNotice->withdraw();
    publish(*this, m_phase, SessionPhase::Wheel, &Round::phaseChanged);
}

void Round::beginDrawnActivity()
{
    publish(*this, m_phase, SessionPhase::Activity, &Round::phaseChanged);
}

void Round::leaveBreakUnfinished()
{
    publish(*this, m_phase, SessionPhase::SessionComplete, &Round::phaseChanged);
}

void Round::setRoundText(const QString &title, const QString &notes)
{
    publish(*this, m_notes, notes, &Round::notesChanged);
    publish(*this, m_title, title, &Round::titleChanged);
}

bool Round::editRoundText(const std::optional<QString> &title, const QString &notes)
{
    setRoundText(title.value_or(m_title), notes);
    return saveRoundText(title, notes);
}

void Round::takeRoundText(const QString &title, const QString &notes)
{
    setRoundText(title, notes);
}
