// The record editor of the journal: one record at a time is corrected in place and saved through the
// controller.

#include "app/AppController.h"
#include "storage/CsvNumber.h"
#include "ui/journal/JournalController.h"

#include <algorithm>

qint64 JournalController::healthScoreToSave(const QString &typed, qint64 loggedScore)
{
    // No upper bound: a score typed here may exceed what the wheel editor offers, and the day's sums
    // saturate rather than overflow.
    return std::max<qint64>(CsvNumber::parseInteger(typed.trimmed()).value_or(loggedScore), 0);
}

QString JournalController::editingTitlePlaceholder() const
{
    return m_editingEntry ? defaultTimelineTitle(*m_editingEntry) : QString();
}

void JournalController::setEditingTitle(const QString &text)
{
    if (m_editingTitle == text)
        return;
    m_editingTitle = text;
    emit editingTextsChanged();
}

void JournalController::setEditingActivityTitle(const QString &text)
{
    if (m_editingActivityTitle == text)
        return;
    m_editingActivityTitle = text;
    emit editingTextsChanged();
}

void JournalController::setEditingHealthScore(const QString &text)
{
    if (m_editingHealthScore == text)
        return;
    m_editingHealthScore = text;
    emit editingTextsChanged();
}

void JournalController::setEditingNotes(const QString &text)
{
    if (m_editingNotes == text)
        return;
    m_editingNotes = text;
    emit editingTextsChanged();
}

void JournalController::setFocusedEntryID(const QString &id)
{
    if (m_focusedEntryID == id)
        return;
    m_focusedEntryID = id;
    emit focusedEntryIDChanged();
}

void JournalController::beginEditing(const QString &entryID)
{
    const auto entry = std::find_if(m_dayEntries.cbegin(), m_dayEntries.cend(),
        [&](const NotesTimelineEntry &candidate) { return candidate.id == entryID; });
    if (entry != m_dayEntries.cend())
        beginEditing(NotesTimelineEntry(*entry));
}

void JournalController::beginEditing(const NotesTimelineEntry &entry)
{
    commitEditing();
    m_editingEntry = entry;
    m_editingTitle = entry.title.isEmpty() ? defaultTimelineTitle(entry) : entry.title;
    m_editingActivityTitle = entry.activityTitle.value_or(QString());
    m_editingHealthScore = entry.kind.isFocus() ? QString() : QString::number(entry.kind.healthScore);
    m_editingNotes = entry.notes;
    emit editingChanged();
    emit editingTextsChanged();
    refreshRows();
    // At once, not on the event loop's next turn: a key typed right after the one that opened the editor
    // is read in the same batch, and would meet the keys on the card between the note and its editor. An
    // editor that the view makes later takes the keys as it is made.
    setFocusedEntryID(entry.id);
}

void JournalController::commitEditing()
{
    if (!m_editingEntry || !m_controller)
        return;
    // Closed before the write: a close that the write itself sets off finds nothing left to save.
    const NotesTimelineEntry entry = *std::exchange(m_editingEntry, std::nullopt);
    setFocusedEntryID(QString());
    emit editingChanged();
    const bool isBreak = !entry.kind.isFocus();
    const std::optional<qint64> healthScore = isBreak
        ? std::optional(healthScoreToSave(m_editingHealthScore, entry.kind.healthScore))
        : std::nullopt;
    const QString title = m_editingTitle.trimmed();
    const std::optional<QString> activityTitle
        = isBreak ? std::optional(m_editingActivityTitle.trimmed()) : std::nullopt;
    m_savedEntries.insert(entry.id, savedValuesOf(entry, title, activityTitle, healthScore, m_editingNotes));
    m_controller->journal()->updateJournalEntry(entry, title, activityTitle, healthScore, m_editingNotes);
    refreshJournalSnapshot(m_controller->journal()->notesRevision());
    refreshDay();
}

NotesTimelineEntry JournalController::savedValuesOf(const NotesTimelineEntry &entry, const QString &title,
    const std::optional<QString> &activityTitle, std::optional<qint64> healthScore,
    const QString &notes) const
{
    NotesTimelineEntry saved = entry;
    saved.title = title;
    saved.notes = notes;
    if (activityTitle)
        saved.activityTitle = activityTitle;
    if (healthScore)
        saved.kind.healthScore = *healthScore;
    return saved;
}

void JournalController::cancelEditing()
{
    if (!m_editingEntry)
        return;
    m_editingEntry.reset();
    m_editingTitle.clear();
    m_editingActivityTitle.clear();
    m_editingHealthScore.clear();
    m_editingNotes.clear();
    setFocusedEntryID(QString());
    emit editingChanged();
    emit editingTextsChanged();
    refreshRows();
}

void JournalController::close()
{
    commitEditing();
    if (m_controller)
        m_controller->sheets()->close(Sheets::Sheet::Journal);
}
