// Titles and notes of rounds, wherever they live: the running round, the round just logged, or any
// row of either log edited from the journal.

#include "AppController.h"
#include "services/CSVLogger.h"
#include "services/FocusSessionLogger.h"
#include "services/NotesTimelineRepository.h"

#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

void AppController::updateCurrentSessionNotes(const QString &notes)
{
    publish(m_currentSessionNotes, notes, &AppController::currentSessionNotesChanged);
    if (m_phase == SessionPhase::focus) {
        persistFocusSession(true, now());
        return;
    }
    if (m_currentFocusLogID) {
        // The next write of the row carries the notes if this one fails.
        (void)m_focusLog->updateEntry(*m_currentFocusLogID, std::nullopt, notes);
        publish(m_notesRevision, m_notesRevision + 1, &AppController::notesRevisionChanged);
    }
}

void AppController::updateCurrentSessionTitle(const QString &title)
{
    publish(m_currentSessionTitle, title, &AppController::currentSessionTitleChanged);
    if (m_phase == SessionPhase::focus) {
        persistFocusSession(true, now());
        return;
    }
    if (m_currentFocusLogID) {
        (void)m_focusLog->updateEntry(*m_currentFocusLogID, title, m_currentSessionNotes);
        publish(m_notesRevision, m_notesRevision + 1, &AppController::notesRevisionChanged);
    }
}

void AppController::updateJournalEntry(const NotesTimelineEntry &entry, const QString &title,
    const std::optional<QString> &activityTitle, std::optional<qint64> healthScore, const QString &notes)
{
    if (m_phase == SessionPhase::focus && entry.id == m_currentSessionID) {
        updateCurrentSessionTitle(title);
        updateCurrentSessionNotes(notes);
        publish(m_notesRevision, m_notesRevision + 1, &AppController::notesRevisionChanged);
        return;
    }
    Status written;
    if (!entry.kind.isFocus()) {
        written = m_activityLog->updateEntry(entry.id, title, activityTitle, healthScore, notes);
    } else {
        written = m_focusLog->updateEntry(entry.id, title, notes);
        if (written && m_currentFocusLogID == entry.id) {
            publish(m_currentSessionTitle, title, &AppController::currentSessionTitleChanged);
            publish(m_currentSessionNotes, notes, &AppController::currentSessionNotesChanged);
        }
    }
    if (!written) {
        showAlert(
            localized(language(), QStringLiteral("无法保存笔记"), QStringLiteral("Could Not Save Note")),
            written.error());
        return;
    }
    // Our own rewrite is not a change made by another program.
    m_logFilesFingerprint = currentLogFingerprint();
    reloadTotalsAndStatistics(now());
    publish(m_notesRevision, m_notesRevision + 1, &AppController::notesRevisionChanged);
}

std::optional<NotesTimelineEntry> AppController::liveNotesEntry(const QDateTime &now) const
{
    if (m_phase != SessionPhase::focus)
        return std::nullopt;
    return NotesTimelineEntry { m_currentSessionID, NotesTimelineKind::focus(false), m_currentFocusStartedAt,
        now, m_sessionNumber, m_currentSessionTitle, std::nullopt, m_currentSessionNotes };
}

QList<NotesTimelineEntry> AppController::allNotesEntries(const QDateTime &now) const
{
    QList<NotesTimelineEntry> entries = NotesTimelineRepository::allEntries(*m_focusLog, *m_activityLog);
    if (std::optional<NotesTimelineEntry> live = liveNotesEntry(now))
        NotesTimelineRepository::insertAfterEqualStarts(entries, std::move(*live));
    return entries;
}

QFuture<QList<NotesTimelineEntry>> AppController::readLoggedNotesEntries() const
{
    return QtConcurrent::run(&m_logReads, [focusLog = m_focusLog.get(), activityLog = m_activityLog.get()] {
        return NotesTimelineRepository::allEntries(*focusLog, *activityLog);
    });
}
