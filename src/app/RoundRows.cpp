// The rows the cycle leaves in the logs: a closed round's and a confirmed break's, kept in memory and written
// again while a write fails, and an edit of the round that ended.

#include "app/Round.h"
#include "app/Statistics.h"
#include "core/AppPreferences.h"
#include "core/Clock.h"
#include "core/Uuid.h"
#include "storage/AppStorageService.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <QSet>
#include <algorithm>
#include <limits>

namespace {

qint64 saturatedSum(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

} // namespace

void Round::writeUnsavedRows()
{
    (void)writeUnsavedRounds();
    (void)writeUnsavedBreaks();
    (void)writeUnsavedEdits();
}

QString Round::keptUntilWrittenText(AppLanguage language)
{
    return localized(language,
        QStringLiteral("没有写入的内容已保留在内存中，磁盘能够写入后会自动写入；在那之前退出会丢失它。"),
        QStringLiteral("What was not written is kept and written on its own once the disk can be written "
                       "again; quitting before then loses it."));
}

Status Round::writeUnsavedRounds()
{
    Status written;
    const qsizetype unsaved = m_unsavedRounds.size();
    while (!m_unsavedRounds.isEmpty() && (written = m_focusLog.append(m_unsavedRounds.first()))) {
        if (m_unsavedRounds.takeFirst().eventID == m_currentSessionID)
            m_currentFocusLogID = m_currentSessionID;
    }
    if (m_unsavedRounds.size() < unsaved) {
        // The saved state lets a round go only now that its row is safe.
        persistEndedRounds();
        publishWrittenRows();
    }
    return written;
}

Status Round::writeUnsavedEdits()
{
    Status written;
    const qsizetype unsaved = m_unsavedEdits.size();
    const QDate today = m_clock.now().toLocalTime().date();
    while (!m_unsavedEdits.isEmpty()) {
        const UnsavedEdit &edit = m_unsavedEdits.first();
        if (!(written = m_focusLog.updateEntry(edit.eventID, edit.title, edit.notes, today)))
            break;
        m_unsavedEdits.removeFirst();
    }
    if (m_unsavedEdits.size() < unsaved) {
        emit ownLogEdited();
        publishWrittenRows();
    }
    return written;
}

void Round::persistEndedRounds()
{
    if (m_phase == SessionPhase::Focus) {
        persistFocusSession(true, m_clock.now());
        return;
    }
    if (m_unsavedRounds.isEmpty()) {
        AppStorageService::clearActiveFocusSession(m_root);
        return;
    }
    // No round runs: a zero target, which nothing resumes.
    ActiveFocusSessionSnapshot snapshot;
    snapshot.savedAtEpoch = m_clock.now().toMSecsSinceEpoch() / 1000.0;
    snapshot.endedRounds = m_unsavedRounds;
    (void)AppStorageService::saveActiveFocusSession(snapshot, m_root);
}

void Round::adoptEndedRounds(const QList<FocusSessionLogEntry> &ended)
{
    if (ended.isEmpty())
        return;
    // A row written just before the saved state could be updated is not written twice.
    QSet<QString> logged;
    for (const NotesTimelineEntry &row : m_focusLog.timelineEntries())
        logged.insert(row.id);
    for (const FocusSessionLogEntry &row : ended) {
        if (!logged.contains(row.eventID))
            m_unsavedRounds.append(row);
    }
}

Status Round::writeUnsavedBreaks()
{
    Status written;
    const qsizetype unsaved = m_unsavedBreaks.size();
    while (!m_unsavedBreaks.isEmpty()) {
        ActivityLogEntry &entry = m_unsavedBreaks.first();
        // The day's running total as the log holds it when the row goes in, whenever that is.
        entry.dailyTotal = saturatedSum(m_activityLog.todayTotal(entry.timestamp), entry.item.healthScore);
        if (!(written = m_activityLog.append(entry)))
            break;
        m_unsavedBreaks.removeFirst();
    }
    if (m_unsavedBreaks.size() < unsaved)
        publishWrittenRows();
    return written;
}

void Round::publishWrittenRows()
{
    // The day's counts and score come from what the logs hold, never from what failed to reach them.
    m_statistics.reload(m_clock.now());
    emit rowsWritten();
}

qint64 Round::nextSessionNumber() const
{
    const auto waiting = std::count_if(m_unsavedRounds.cbegin(), m_unsavedRounds.cend(),
        [](const FocusSessionLogEntry &round) { return round.completed; });
    return m_statistics.todayCompletedSessions() + waiting + 1;
}

void Round::finishBreak(const WeightedWheelItem &drawn, const QDateTime &startedAt, const QDateTime &endedAt)
{
    m_unsavedBreaks.append({
        Uuid::newEventID(),
        startedAt,
        endedAt,
        m_sessionNumber,
        defaultBreakTitle(m_sessionNumber),
        drawn.item,
        drawn.effectiveWeight,
        0,
        m_notes,
    });
    (void)writeUnsavedRounds();
    const Status appended = writeUnsavedBreaks();
    emit logsWritten();
    if (!appended) {
        const AppLanguage language = m_preferences.language;
        m_alert(localized(language, QStringLiteral("CSV 写入失败"), QStringLiteral("Could Not Write CSV")),
            logErrorText(appended, m_activityLog.filePath(), language) + u' '
                + keptUntilWrittenText(language));
    }
    emit breakFinished();
    startNewFocusSession();
}

bool Round::saveRoundText(const std::optional<QString> &title, const QString &notes)
{
    if (m_phase == SessionPhase::Focus) {
        persistFocusSession(true, m_clock.now());
        return false;
    }
    // A row still waiting to be written takes the edit with it, in memory and in the saved state.
    for (FocusSessionLogEntry &unsaved : m_unsavedRounds) {
        if (unsaved.eventID != m_currentSessionID)
            continue;
        unsaved.title = title.value_or(unsaved.title);
        unsaved.notes = notes;
        persistEndedRounds();
    }
    if (!m_currentFocusLogID)
        return false;
    const QString &id = *m_currentFocusLogID;
    const auto waiting = std::find_if(m_unsavedEdits.begin(), m_unsavedEdits.end(),
        [&id](const UnsavedEdit &edit) { return edit.eventID == id; });
    const Status written = m_focusLog.updateEntry(id, title, notes, m_clock.now().toLocalTime().date());
    if (written) {
        // An older edit still waiting would undo this one when it is written.
        if (waiting != m_unsavedEdits.end())
            m_unsavedEdits.erase(waiting);
        emit ownLogEdited();
        return true;
    }
    if (waiting != m_unsavedEdits.end()) {
        waiting->title = title ? title : waiting->title;
        waiting->notes = notes;
        return false;
    }
    // Said once per edited row, not at every keystroke that fails again.
    m_unsavedEdits.append({ id, title, notes });
    const AppLanguage language = m_preferences.language;
    m_alert(localized(language, QStringLiteral("无法保存笔记"), QStringLiteral("Could Not Save Note")),
        logErrorText(written, m_focusLog.filePath(), language) + u' ' + keptUntilWrittenText(language));
    emit logsWritten();
    return false;
}
