// Titles and notes of rounds, wherever they live: the running round, the round just logged, or any
// row of either log edited from the journal.

#include "app/AppController.h"
#include "core/StringTable.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"
#include "storage/NotesTimelineRepository.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

void AppController::updateCurrentSessionNotes(const QString &notes)
{
    publish(m_currentSessionNotes, notes, &AppController::currentSessionNotesChanged);
    if (m_phase == SessionPhase::Focus) {
        persistFocusSession(true, now());
        return;
    }
    if (m_currentFocusLogID) {
        // The next write of the row carries the notes if this one fails.
        (void)m_focusLog->updateEntry(*m_currentFocusLogID, std::nullopt, notes, now().toLocalTime().date());
        publish(m_notesRevision, m_notesRevision + 1, &AppController::notesRevisionChanged);
    }
    // A row still waiting to be written takes the notes with it.
    for (FocusSessionLogEntry &unsaved : m_unsavedRounds) {
        if (unsaved.eventID == m_currentSessionID)
            unsaved.notes = notes;
    }
}

void AppController::updateCurrentSessionTitle(const QString &title)
{
    publish(m_currentSessionTitle, title, &AppController::currentSessionTitleChanged);
    if (m_phase == SessionPhase::Focus) {
        persistFocusSession(true, now());
        return;
    }
    if (m_currentFocusLogID) {
        (void)m_focusLog->updateEntry(
            *m_currentFocusLogID, title, m_currentSessionNotes, now().toLocalTime().date());
        publish(m_notesRevision, m_notesRevision + 1, &AppController::notesRevisionChanged);
    }
    for (FocusSessionLogEntry &unsaved : m_unsavedRounds) {
        if (unsaved.eventID == m_currentSessionID)
            unsaved.title = title;
    }
}

void AppController::updateJournalEntry(const NotesTimelineEntry &entry, const QString &title,
    const std::optional<QString> &activityTitle, std::optional<qint64> healthScore, const QString &notes)
{
    if (m_phase == SessionPhase::Focus && entry.id == m_currentSessionID) {
        updateCurrentSessionTitle(title);
        updateCurrentSessionNotes(notes);
        publish(m_notesRevision, m_notesRevision + 1, &AppController::notesRevisionChanged);
        return;
    }
    Status written;
    const QDate today = now().toLocalTime().date();
    const QString &path = entry.kind.isFocus() ? m_focusLog->filePath() : m_activityLog->filePath();
    if (!entry.kind.isFocus()) {
        written = m_activityLog->updateEntry(entry.id, title, activityTitle, healthScore, notes, today);
    } else {
        written = m_focusLog->updateEntry(entry.id, title, notes, today);
        if (written && m_currentFocusLogID == entry.id) {
            publish(m_currentSessionTitle, title, &AppController::currentSessionTitleChanged);
            publish(m_currentSessionNotes, notes, &AppController::currentSessionNotesChanged);
        }
    }
    if (!written) {
        m_sheets->showAlert(
            localized(language(), QStringLiteral("无法保存笔记"), QStringLiteral("Could Not Save Note")),
            logErrorText(written, path));
        // A log that had to be moved aside says more about the failure.
        tellAboutMovedAsideLogs();
        return;
    }
    // Our own rewrite is not a change made by another program.
    m_logFilesFingerprint = currentLogFingerprint();
    m_statistics->reload(now());
    publish(m_notesRevision, m_notesRevision + 1, &AppController::notesRevisionChanged);
}

QString AppController::logErrorText(const Status &failed, const QString &logPath) const
{
    return StringTable::text(failed.error(), language()).arg(QFileInfo(logPath).fileName());
}

void AppController::tellAboutMovedAsideLogs()
{
    for (const CsvLogFile *log : { &m_focusLog->file(), &m_activityLog->file() }) {
        if (const std::optional<CsvLogFile::MovedAside> moved = log->takeMovedAside()) {
            m_sheets->showAlert(StringTable::text(QStringLiteral("记录文件无法读取"), language()),
                StringTable::text(
                    QStringLiteral("数据文件夹中的 %1 无法读取。它已原样改名为 %2 保留在同一文件夹中，"
                                   "新的记录从现在开始。"),
                    language())
                    .arg(moved->fileName, moved->newFileName));
        }
    }
}

std::optional<NotesTimelineEntry> AppController::liveNotesEntry(const QDateTime &now) const
{
    if (m_phase != SessionPhase::Focus)
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
