#pragma once

#include "app/AlertSink.h"
#include "core/NotesTimelineEntry.h"

#include <QDateTime>
#include <QFuture>
#include <QObject>
#include <QThreadPool>
#include <memory>
#include <optional>

struct AppPreferences;
class CSVLogger;
class Clock;
class FocusSessionLogger;
class NotesSaveDebouncer;
class OneShotTimer;
class RunningRound;

// Titles and notes of rounds, wherever they live: the running round's, typed into the round notes
// editor, and those of every row of both logs, read and edited from the journal sheet. The running round
// keeps its own text; the journal edits it through the round and says so when the round's text changes.
class Journal : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString currentSessionNotes READ currentSessionNotes NOTIFY currentSessionNotesChanged FINAL)
    Q_PROPERTY(QString currentSessionTitle READ currentSessionTitle NOTIFY currentSessionTitleChanged FINAL)
    // Moves on whenever the entries may have changed, so that the journal's views read them again.
    Q_PROPERTY(qint64 notesRevision READ notesRevision NOTIFY notesRevisionChanged FINAL)
    Q_PROPERTY(QString notesDraft READ notesDraft NOTIFY notesDraftChanged FINAL)

public:
    // `preferences` are the settings in force; `notesSaveDelay` times the pause in typing after which the
    // notes draft is saved.
    Journal(FocusSessionLogger &focusLog, CSVLogger &activityLog, RunningRound &round, Clock &clock,
        const AppPreferences &preferences, AlertSink alert, std::unique_ptr<OneShotTimer> notesSaveDelay);
    // Waits for a running read before it lets go of the logs.
    ~Journal() override;

    const QString &currentSessionNotes() const;
    const QString &currentSessionTitle() const;
    qint64 notesRevision() const { return m_notesRevision; }

    void advanceRevision();

    Q_INVOKABLE void updateCurrentSessionNotes(const QString &notes);
    Q_INVOKABLE void updateCurrentSessionTitle(const QString &title);
    void updateJournalEntry(const NotesTimelineEntry &entry, const QString &title,
        const std::optional<QString> &activityTitle, std::optional<qint64> healthScore, const QString &notes);
    QList<NotesTimelineEntry> allNotesEntries(const QDateTime &now) const;
    // Every logged journal entry, read on a thread of the journal's own.
    QFuture<QList<NotesTimelineEntry>> readLoggedNotesEntries() const;
    // The running round as a journal entry that ends at `now`; none outside the focus phase.
    std::optional<NotesTimelineEntry> liveNotesEntry(const QDateTime &now) const;

    // The notes editor's text: typing lands here at once and reaches the round after a pause in typing,
    // when the editor loses focus or leaves the screen, and before the program quits.
    const QString &notesDraft() const;
    bool hasPendingNotesSave() const;
    void flushNotesDraft();
    Q_INVOKABLE void notesEditorAppeared();
    Q_INVOKABLE void notesEditorDisappeared();
    Q_INVOKABLE void editNotesDraft(const QString &text);
    Q_INVOKABLE void setNotesEditorFocused(bool focused);

signals:
    // Emitted for the running round's text, whoever changed it.
    void currentSessionNotesChanged();
    void currentSessionTitleChanged();
    void notesRevisionChanged();
    void notesDraftChanged();
    // The journal rewrote a row of a log itself, which is not another program's change.
    void ownLogEdited();
    // A write to the logs failed: a damaged log may have been put aside.
    void logsWritten();

private:
    FocusSessionLogger &m_focusLog;
    CSVLogger &m_activityLog;
    RunningRound &m_round;
    Clock &m_clock;
    const AppPreferences &m_preferences;
    AlertSink m_alert;
    qint64 m_notesRevision = 0;
    std::unique_ptr<NotesSaveDebouncer> m_notesSaveDebouncer;
    mutable QThreadPool m_logReads;
};
