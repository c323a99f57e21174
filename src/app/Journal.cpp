#include "app/Journal.h"

#include "app/RunningRound.h"
#include "core/AppPreferences.h"
#include "core/Clock.h"
#include "core/StringTable.h"
#include "session/NotesSaveDebouncer.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"
#include "storage/NotesTimelineRepository.h"

#include <QtConcurrent/QtConcurrentRun>

Journal::Journal(FocusSessionLogger &focusLog, CSVLogger &activityLog, RunningRound &round, Clock &clock,
    const AppPreferences &preferences, AlertSink alert, std::unique_ptr<OneShotTimer> notesSaveDelay)
    : m_focusLog(focusLog)
    , m_activityLog(activityLog)
    , m_round(round)
    , m_clock(clock)
    , m_preferences(preferences)
    , m_alert(std::move(alert))
{
    m_notesSaveDebouncer = std::make_unique<NotesSaveDebouncer>(
        std::move(notesSaveDelay), [this](const QString &notes) { updateCurrentSessionNotes(notes); },
        [this] { return m_round.currentSessionNotes(); });
    m_notesSaveDebouncer->onDraftChanged = [this] { emit notesDraftChanged(); };
    connect(this, &Journal::currentSessionNotesChanged, this,
        [this] { m_notesSaveDebouncer->savedNotesChanged(m_round.currentSessionNotes()); });
}

Journal::~Journal()
{
    m_logReads.waitForDone();
}

const QString &Journal::currentSessionNotes() const
{
    return m_round.currentSessionNotes();
}

const QString &Journal::currentSessionTitle() const
{
    return m_round.currentSessionTitle();
}

void Journal::advanceRevision()
{
    ++m_notesRevision;
    emit notesRevisionChanged();
}

void Journal::updateCurrentSessionNotes(const QString &notes)
{
    if (m_round.editRoundText(std::nullopt, notes))
        advanceRevision();
}

void Journal::updateCurrentSessionTitle(const QString &title)
{
    if (m_round.editRoundText(title, m_round.currentSessionNotes()))
        advanceRevision();
}

void Journal::updateJournalEntry(const NotesTimelineEntry &entry, const QString &title,
    const std::optional<QString> &activityTitle, std::optional<qint64> healthScore, const QString &notes)
{
    if (m_round.phase() == SessionPhase::Focus && entry.id == m_round.currentSessionID()) {
        updateCurrentSessionTitle(title);
        updateCurrentSessionNotes(notes);
        advanceRevision();
        return;
    }
    Status written;
    const QDate today = m_clock.now().toLocalTime().date();
    const QString &path = entry.kind.isFocus() ? m_focusLog.filePath() : m_activityLog.filePath();
    if (!entry.kind.isFocus()) {
        written = m_activityLog.updateEntry(entry.id, title, activityTitle, healthScore, notes, today);
    } else {
        written = m_focusLog.updateEntry(entry.id, title, notes, today);
        if (written && m_round.currentFocusLogID() == entry.id)
            m_round.takeRoundText(title, notes);
    }
    if (!written) {
        const AppLanguage language = m_preferences.language;
        m_alert(localized(language, QStringLiteral("无法保存笔记"), QStringLiteral("Could Not Save Note")),
            logErrorText(written, path, language));
        // A log that had to be moved aside says more about the failure.
        emit logsWritten();
        return;
    }
    emit ownLogEdited();
    advanceRevision();
}

std::optional<NotesTimelineEntry> Journal::liveNotesEntry(const QDateTime &now) const
{
    if (m_round.phase() != SessionPhase::Focus)
        return std::nullopt;
    return NotesTimelineEntry { m_round.currentSessionID(), NotesTimelineKind::focus(false),
        m_round.currentFocusStartedAt(), now, m_round.sessionNumber(), m_round.currentSessionTitle(),
        std::nullopt, m_round.currentSessionNotes() };
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
