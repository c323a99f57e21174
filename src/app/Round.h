#pragma once

#include "app/AlertSink.h"
#include "app/RunningRound.h"
#include "core/ActivityLogEntry.h"
#include "core/AppLanguage.h"
#include "core/FocusSessionLogEntry.h"
#include "core/Result.h"
#include "core/SessionPhase.h"
#include "core/WeightedWheelItem.h"
#include "core/WindowSystem.h"
#include "core/WorkTrackingState.h"
#include "session/AutomaticWorkTimer.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class AccessibilityTrust;
struct AppPreferences;
class CSVLogger;
class Clock;
class FocusSessionLogger;
class InputActivityMonitor;
class RoundEndNotice;
class Statistics;

// The cycle focus → round complete → wheel → activity → focus: the phase, the focus round's active time
// counted against keyboard and mouse activity (paused by hand, saved while it runs, restored at start-up)
// and the rows the cycle's rounds and breaks leave in the logs, kept in memory while a write fails. It
// alone moves the phase; what the others must follow it says with its signals.
class Round : public QObject, public RunningRound
{
    Q_OBJECT
    Q_PROPERTY(SessionPhases::SessionPhase phase READ phase NOTIFY phaseChanged FINAL)
    Q_PROPERTY(int secondsRemaining READ secondsRemainingForDisplay NOTIFY secondsRemainingChanged FINAL)
    Q_PROPERTY(QString formattedTime READ formattedTime NOTIFY secondsRemainingChanged FINAL)
    Q_PROPERTY(QString trackingState READ trackingStateName NOTIFY trackingStateChanged FINAL)
    Q_PROPERTY(bool isActivityTrackingOn READ isActivityTrackingOn NOTIFY trackingStateChanged FINAL)
    Q_PROPERTY(qint64 sessionNumber READ sessionNumber NOTIFY sessionNumberChanged FINAL)

public:
    // Turns the tracking switch of the settings in force and stores them; a failed write puts the switch
    // back and says why.
    using TrackingSwitch = std::function<Status(bool on)>;

    // `preferences` are the settings in force, read as they change; `root` is the data folder, where a
    // running round is saved; activity reaches the round from `monitor` from now on; `statistics` are
    // read back once rows reach the logs and number the rounds.
    Round(Clock &clock, const AppPreferences &preferences, AlertSink alert, FocusSessionLogger &focusLog,
        CSVLogger &activityLog, Statistics &statistics, InputActivityMonitor &monitor,
        AccessibilityTrust &trust, RoundEndNotice *roundEndNotice, WindowSystem windowSystem,
        const QString &root, TrackingSwitch switchTracking);
    ~Round() override;

    SessionPhase phase() const override { return m_phase; }
    qint64 secondsRemaining() const { return m_secondsRemaining; }
    int secondsRemainingForDisplay() const;
    QString formattedTime() const;
    static QString formattedTime(qint64 seconds);
    WorkTrackingState trackingState() const { return m_trackingState; }
    QString trackingStateName() const;
    bool isActivityTrackingOn() const;
    // The last look for a source of input activity found none: the header says why tracking is off.
    bool inputAccessMissing() const { return m_inputAccessMissing; }
    // The desktop stopped telling the session's input while another program keeps the screen awake.
    bool isActivityWithheld() const { return m_activityWithheld; }
    qint64 sessionNumber() const override { return m_sessionNumber; }
    const AutomaticWorkTimer &workTimer() const { return m_workTimer; }
    const QString &currentSessionID() const override { return m_currentSessionID; }
    const std::optional<QString> &currentFocusLogID() const override { return m_currentFocusLogID; }
    const QDateTime &currentFocusStartedAt() const override { return m_currentFocusStartedAt; }
    const QString &currentSessionTitle() const override { return m_title; }
    const QString &currentSessionNotes() const override { return m_notes; }
    QString defaultFocusTitle(qint64 sessionNumber) const;
    QString defaultBreakTitle(qint64 sessionNumber) const;

    // Start-up: the round the last run left, when there is one to resume, with today's number, title and
    // notes.
    void load(const QDateTime &startedAt);
    // Once the tick runs: resumes the loaded round or opens a new one, then looks for input activity.
    void open();
    // The round's share of the 0.25 s tick.
    void tick();
    // A new day numbers its rounds from its own count.
    void followNewDay();
    // Saved settings that act on the running round: the idle threshold at once, the tracking switch.
    void followSavedSettings(const AppPreferences &previous, const AppPreferences &saved);
    // The round is accounted once more and saved, not closed, so that a restart resumes it; the rows
    // still waiting and an edit of the round that ended are written.
    void saveForQuit();

    Q_INVOKABLE void finishFocusNow();
    Q_INVOKABLE void toggleManualPause();
    Q_INVOKABLE void enableAutomaticTracking();
    Q_INVOKABLE void toggleActivityTracking();
    // While the desktop withholds the session's input, this round counts elapsed time instead.
    Q_INVOKABLE void countElapsedTimeThisRound();
    void handleInputActivity();
    // Says what the tracking needs: an X11 session, or a desktop that reports activity.
    void showPermissionAlert();

    // The steps of the locked break, as the break wheel reports them: the wheel shows once the keyboard
    // is held, the drawn activity begins, an emergency unlock leaves the break unfinished, and a confirmed
    // break is logged before the next round opens.
    void showLockedBreak();
    void beginDrawnActivity();
    void leaveBreakUnfinished();
    void finishBreak(const WeightedWheelItem &drawn, const QDateTime &startedAt, const QDateTime &endedAt);

    bool editRoundText(const std::optional<QString> &title, const QString &notes) override;
    void takeRoundText(const QString &title, const QString &notes) override;

    // Rows and edits of written rows that failed writes kept in memory, written again oldest first:
    // rounds, then breaks, then edits.
    bool hasUnsavedRows() const
    {
        return !m_unsavedRounds.isEmpty() || !m_unsavedBreaks.isEmpty() || !m_unsavedEdits.isEmpty();
    }
    // Said after a failed write: what failed is kept and written later, and lost by a quit before that.
    static QString keptUntilWrittenText(AppLanguage language);
    qsizetype unsavedRowCount() const { return m_unsavedRounds.size() + m_unsavedBreaks.size(); }
    qsizetype unsavedEditCount() const { return m_unsavedEdits.size(); }
    void writeUnsavedRows();

signals:
    void phaseChanged();
    void secondsRemainingChanged();
    void trackingStateChanged();
    void sessionNumberChanged();
    void titleChanged();
    void notesChanged();
    // A focus round opened, new or resumed after a restart.
    void roundOpened();
    // The focus round ended: the round-complete screen shows.
    void roundEnded();
    // The confirmed break is over and logged; the next round opens right after.
    void breakFinished();
    // Rows reached the logs or a written row changed: what is read back from them is out of date.
    void rowsWritten();
    // The round rewrote a row of the focus log itself, which is not another program's change.
    void ownLogEdited();
    // A write to the logs was tried, whether it went in or not: a damaged log may have been put aside.
    void logsWritten();

private:
    void startNewFocusSession();
    void restoreFocusSessionUI();
    void completeFocusSession(bool countAsCompleted);
    // Append the rows that earlier writes could not, oldest first, each once; each stops at a failure.
    Status writeUnsavedRounds();
    Status writeUnsavedBreaks();
    Status writeUnsavedEdits();
    // The ended rounds still waiting for their row go into the saved state, so that a restart writes them
    // rather than resuming a round; the state goes once nothing waits and no round runs.
    void persistEndedRounds();
    // Loaded ended rounds whose row the log does not hold yet.
    void adoptEndedRounds(const QList<FocusSessionLogEntry> &ended);
    void publishWrittenRows();
    // Counts the completed rounds still waiting for their row, so that two rounds never share a number.
    qint64 nextSessionNumber() const;
    void persistFocusSession(bool force, const QDateTime &now);
    void startKeyboardMonitoring();
    void retryKeyboardMonitoringIfNeeded(const QDateTime &now);
    void syncTrackingPresentation();
    void followWithheldActivity();
    void publishWorkTimerState();
    qint64 remainingSeconds() const;
    void resetWorkTimer(const QDateTime &now);
    void setRoundText(const QString &title, const QString &notes);
    // Saves the round's text where the round is now: in its saved state while it runs, else in its row of
    // the focus log, written or waiting; true when a written row changed.
    bool saveRoundText(const std::optional<QString> &title, const QString &notes);

    Clock &m_clock;
    const AppPreferences &m_preferences;
    AlertSink m_alert;
    FocusSessionLogger &m_focusLog;
    CSVLogger &m_activityLog;
    Statistics &m_statistics;
    InputActivityMonitor &m_monitor;
    AccessibilityTrust &m_trust;
    RoundEndNotice *m_roundEndNotice;
    WindowSystem m_windowSystem;
    QString m_root;
    TrackingSwitch m_switchTracking;

    SessionPhase m_phase = SessionPhase::Focus;
    qint64 m_secondsRemaining = 0;
    WorkTrackingState m_trackingState = WorkTrackingState::waitingForActivity;
    qint64 m_sessionNumber = 1;
    bool m_inputAccessMissing = false;
    bool m_hasPromptedForAccessibility = false;
    bool m_activityWithheld = false;
    bool m_countsElapsedThisRound = false;

    AutomaticWorkTimer m_workTimer;
    bool m_restoredFocusSession = false;
    QDateTime m_lastMonitorRetry;
    QDateTime m_lastFocusSnapshotSave;
    // The round as last written, save time left out; unset when the file may differ from it.
    std::optional<ActiveFocusSessionSnapshot> m_savedFocusSnapshot;
    // Ended rounds whose row a failed write kept out of the focus log, oldest first.
    QList<FocusSessionLogEntry> m_unsavedRounds;
    QList<ActivityLogEntry> m_unsavedBreaks;
    // An edit of a written row of the focus log that could not be written, by row.
    struct UnsavedEdit
    {
        QString eventID;
        std::optional<QString> title;
        QString notes;
    };
    QList<UnsavedEdit> m_unsavedEdits;
    QString m_currentSessionID;
    QDateTime m_currentFocusStartedAt;
    std::optional<QString> m_currentFocusLogID;
    QString m_title;
    QString m_notes;
};
