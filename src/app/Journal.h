#pragma once

#include "core/NotesTimelineEntry.h"

#include <QDateTime>
#include <QFuture>
#include <QObject>
#include <QThreadPool>
#include <memory>
#include <optional>

class AppController;
class CSVLogger;
class FocusSessionLogger;
class NotesSaveDebouncer;

// Titles and notes of rounds, wherever they live: the running round's, typed into the round notes
// editor, and those of every row of both logs, read and edited from the journal sheet.
class Journal : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString currentSessionNotes READ currentSessionNotes NOTIFY currentSessionNotesChanged FINAL)
    Q_PROPERTY(QString currentSessionTitle READ currentSessionTitle NOTIFY currentSessionTitleChanged FINAL)
    // Moves on whenever the entries may have changed, so that the journal's views read them again.
    Q_PROPERTY(qint64 notesRevision READ notesRevision NOTIFY notesRevisionChanged FINAL)
    Q_PROPERTY(QString notesDraft READ notesDraft NOTIFY notesDraftChanged FINAL)

public:
    Journal(FocusSessionLogger &focusLog, CSVLogger &activityLog, AppController &controller);
    // Waits for a running read before it lets go of the logs.
    ~Journal() override;

    const QString &currentSessionNotes() const { return m_currentSessionNotes; }
    const QString &currentSessionTitle() const { return m_currentSessionTitle; }
    qint64 notesRevision() const { return m_notesRevision; }

    // The title and notes a new or restored round starts with; the round saves them itself.
    void setRoundText(const QString &title, const QString &notes);
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
    void currentSessionNotesChanged();
    void currentSessionTitleChanged();
    void notesRevisionChanged();
    void notesDraftChanged();

private:
    void setNotes(const QString &notes);
    void setTitle(const QString &title);

    AppController &m_controller;
    FocusSessionLogger &m_focusLog;
    CSVLogger &m_activityLog;
    QString m_currentSessionNotes;
    QString m_currentSessionTitle;
    qint64 m_notesRevision = 0;
    std::unique_ptr<NotesSaveDebouncer> m_notesSaveDebouncer;
    mutable QThreadPool m_logReads;
};
