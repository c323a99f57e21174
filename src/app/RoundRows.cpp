// The rows the cycle leaves in the logs: a closed round's and a confirmed break's, kept in memory and written
// again while a write fails, and an edit of the round that ended.

#include "app/AppController.h"
#include "app/Round.h"
#include "core/Uuid.h"
#include "storage/AppStorageService.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

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
}

Status Round::writeUnsavedRounds()
{
    Status written;
    const qsizetype unsaved = m_unsavedRounds.size();
    while (!m_unsavedRounds.isEmpty() && (written = m_focusLog.append(m_unsavedRounds.first()))) {
        // The round's saved state goes only now that its row is safe; a later round's is not its own.
        if (m_unsavedRounds.takeFirst().eventID == m_currentSessionID) {
            m_currentFocusLogID = m_currentSessionID;
            AppStorageService::clearActiveFocusSession(m_root);
        }
    }
    if (m_unsavedRounds.size() < unsaved)
        publishWrittenRows();
    return written;
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
    m_controller.statistics()->reload(m_controller.now());
    m_controller.journal()->advanceRevision();
}

qint64 Round::nextSessionNumber() const
{
    const auto waiting = std::count_if(m_unsavedRounds.cbegin(), m_unsavedRounds.cend(),
        [](const FocusSessionLogEntry &round) { return round.completed; });
    return m_controller.statistics()->todayCompletedSessions() + waiting + 1;
}

void Round::logBreak(const WeightedWheelItem &drawn, const QDateTime &startedAt, const QDateTime &endedAt)
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
        m_controller.journal()->currentSessionNotes(),
    });
    (void)writeUnsavedRounds();
    const Status appended = writeUnsavedBreaks();
    m_controller.tellAboutMovedAsideLogs();
    if (!appended) {
        m_controller.sheets()->showAlert(localized(m_controller.language(), QStringLiteral("CSV 写入失败"),
                                             QStringLiteral("Could Not Write CSV")),
            m_controller.logErrorText(appended, m_activityLog.filePath()));
    }
}

bool Round::saveRoundText(const std::optional<QString> &title, const QString &notes)
{
    if (m_phase == SessionPhase::Focus) {
        persistFocusSession(true, m_controller.now());
        return false;
    }
    // A row still waiting to be written takes the edit with it.
    for (FocusSessionLogEntry &unsaved : m_unsavedRounds) {
        if (unsaved.eventID != m_currentSessionID)
            continue;
        unsaved.title = title.value_or(unsaved.title);
        unsaved.notes = notes;
    }
    if (!m_currentFocusLogID)
        return false;
    // The next write of the row carries the edit if this one fails.
    (void)m_focusLog.updateEntry(*m_currentFocusLogID, title, notes, m_controller.now().toLocalTime().date());
    return true;
}
