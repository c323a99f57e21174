#include "app/Journal.h"

#include "app/AppController.h"
#include "core/QtOneShotTimer.h"
#include "core/StringTable.h"
#include "session/NotesSaveDebouncer.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"
#include "storage/NotesTimelineRepository.h"

#include <QtConcurrent/QtConcurrentRun>

Journal::Journal(FocusSessionLogger &focusLog, CSVLogger &activityLog, AppController &controller)
    : m_controller(controller)
    , m_focusLog(focusLog)
    , m_activityLog(activityLog)
{
    m_notesSaveDebouncer = std::make_unique<NotesSaveDebouncer>(
        std::make_unique<QtOneShotTimer>(),
        [this](const QString &notes) { updateCurrentSessionNotes(notes); },
        [this] { return m_currentSessionNotes; });
    m_notesSaveDebouncer->onDraftChanged = [this] { emit notesDraftChanged(); };
    connect(this, &Journal::currentSessionNotesChanged, this,
        [this] { m_notesSaveDebouncer->savedNotesChanged(m_currentSessionNotes); });
}

Journal::~Journal()
{
    m_logReads.waitForDone();
}

void Journal::setNotes(const QString &notes)
{
    if (notes == m_currentSessionNotes)
        return;
    m_currentSessionNotes = notes;
    emit currentSessionNotesChanged();
}

void Journal::setTitle(const QString &title)
{
    if (title == m_currentSessionTitle)
        return;
    m_currentSessionTitle = title;
    emit currentSessionTitleChanged();
}

void Journal::setRoundText(const QString &title, const QString &notes)
{
    setNotes(notes);
    setTitle(title);
}

void Journal::advanceRevision()
{
    ++m_notesRevision;
    emit notesRevisionChanged();
}

void Journal::updateCurrentSessionNotes(const QString &notes)
{
    setNotes(notes);
    if (m_controller.round()->saveRoundText(std::nullopt, notes))
        advanceRevision();
}

void Journal::updateCurrentSessionTitle(const QString &title)
{
    setTitle(title);
    if (m_controller.round()->saveRoundText(title, m_currentSessionNotes))
        advanceRevision();
}

void Journal::updateJournalEntry(const NotesTimelineEntry &entry, const QString &title,
    const std::optional<QString> &activityTitle, std::optional<qint64> healthScore, const QString &notes)
{
    if (m_controller.round()->phase() == SessionPhase::Focus
        && entry.id == m_controller.round()->currentSessionID()) {
        updateCurrentSessionTitle(title);
        updateCurrentSessionNotes(notes);
        advanceRevision();
        return;
    }
    Status written;
    const QDate today = m_controller.now().toLocalTime().date();
    const QString &path = entry.kind.isFocus() ? m_focusLog.filePath() : m_activityLog.filePath();
    if (!entry.kind.isFocus()) {
        written = m_activityLog.updateEntry(entry.id, title, activityTitle, healthScore, notes, today);
    } else {
        written = m_focusLog.updateEntry(entry.id, title, notes, today);
        if (written && m_controller.round()->currentFocusLogID() == entry.id) {
            setTitle(title);
            setNotes(notes);
        }
    }
    if (!written) {
        m_controller.sheets()->showAlert(localized(m_controller.language(), QStringLiteral("无法保存笔记"),
                                             QStringLiteral("Could Not Save Note")),
            m_controller.logErrorText(written, path));
        // A log that had to be moved aside says more about the failure.
        m_controller.tellAboutMovedAsideLogs();
        return;
    }
    m_controller.recordOwnLogWrite();
    m_controller.statistics()->reload(m_controller.now());
    advanceRevision();
}

std::optional<NotesTimelineEntry> Journal::liveNotesEntry(const QDateTime &now) const
{
    if (m_controller.round()->phase() != SessionPhase::Focus)
        return std::nullopt;
    return NotesTimelineEntry { m_controller.round()->currentSessionID(), NotesTimelineKind::focus(false),
        m_controller.round()->currentFocusStartedAt(), now, m_controller.round()->sessionNumber(),
        m_currentSessionTitle, std::nullopt, m_currentSessionNotes };
}

QList<NotesTimelineEntry> Journal::allNotesEntries(const QDateTime &now) const
{
    QList<NotesTimelineEntry> entries = NotesTimelineRepository::allEntries(m_focusLog, m_activityLog);
    if (std::optional<NotesTimelineEntry> live = liveNotesEntry(now))
        NotesTimelineRepository::insertAfterEqualStarts(entries, std::move(*live));
    return entries;
}

QFuture<QList<NotesTimelineEntry>> Journal::readLoggedNotesEntries() const
{
    return QtConcurrent::run(&m_logReads, [focusLog = &m_focusLog, activityLog = &m_activityLog] {
        return NotesTimelineRepository::allEntries(*focusLog, *activityLog);
    });
}

const QString &Journal::notesDraft() const
{
    return m_notesSaveDebouncer->draft();
}

bool Journal::hasPendingNotesSave() const
{
    return m_notesSaveDebouncer->hasPendingSave();
}

void Journal::flushNotesDraft()
{
    m_notesSaveDebouncer->flush();
}

void Journal::notesEditorAppeared()
{
    m_notesSaveDebouncer->editorAppeared();
}

void Journal::notesEditorDisappeared()
{
    m_notesSaveDebouncer->editorDisappeared();
}

void Journal::editNotesDraft(const QString &text)
{
    m_notesSaveDebouncer->edit(text);
}

void Journal::setNotesEditorFocused(bool focused)
{
    m_notesSaveDebouncer->setFocused(focused);
}
