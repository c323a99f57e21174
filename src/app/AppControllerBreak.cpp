// The controller's side of the locked break: the phase steps the break wheel takes, and the confirmed
// break's row in the activity log.

#include "app/AppController.h"
#include "app/Publish.h"
#include "storage/CSVLogger.h"

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

void AppController::showLockedBreak()
{
    if (m_seams.roundEndNotice)
        m_seams.roundEndNotice->withdraw();
    publish(*this, m_phase, SessionPhase::Wheel, &AppController::phaseChanged);
    enterFullScreenIfPossible();
}

void AppController::beginDrawnActivity()
{
    publish(*this, m_phase, SessionPhase::Activity, &AppController::phaseChanged);
}

void AppController::leaveBreakUnfinished()
{
    publish(*this, m_phase, SessionPhase::SessionComplete, &AppController::phaseChanged);
}

void AppController::logBreak(
    const WeightedWheelItem &drawn, const QDateTime &startedAt, const QDateTime &endedAt)
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
        m_journal->currentSessionNotes(),
    });
    (void)writeUnsavedRounds();
    const Status appended = writeUnsavedBreaks();
    tellAboutMovedAsideLogs();
    if (!appended) {
        m_sheets->showAlert(
            localized(language(), QStringLiteral("CSV 写入失败"), QStringLiteral("Could Not Write CSV")),
            logErrorText(appended, m_activityLog->filePath()));
    }
}

void AppController::startRoundAfterBreak()
{
    m_music->stop();
    m_appearance->advanceAfterCompletedRound();
    startNewFocusSession();
}

Status AppController::writeUnsavedBreaks()
{
    Status written;
    const qsizetype unsaved = m_unsavedBreaks.size();
    while (!m_unsavedBreaks.isEmpty()) {
        ActivityLogEntry &entry = m_unsavedBreaks.first();
        // The day's running total as the log holds it when the row goes in, whenever that is.
        entry.dailyTotal = saturatedSum(m_activityLog->todayTotal(entry.timestamp), entry.item.healthScore);
        if (!(written = m_activityLog->append(entry)))
            break;
        m_unsavedBreaks.removeFirst();
    }
    if (m_unsavedBreaks.size() < unsaved)
        publishWrittenRows();
    return written;
}
