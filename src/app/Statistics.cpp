#include "app/Statistics.h"

#include "core/CsvDate.h"
#include "storage/CSVLogger.h"
#include "storage/DailyStatsRepository.h"
#include "storage/FocusSessionLogger.h"

namespace {

constexpr qint64 statisticsDays = 30;

} // namespace

Statistics::Statistics(const FocusSessionLogger &focusLog, const CSVLogger &activityLog)
    : m_focusLog(focusLog)
    , m_activityLog(activityLog)
{ }

void Statistics::reload(const QDateTime &now)
{
    // Today is the last of the recent days, so one read of each log serves both.
    reloadDays(now);
    const bool hasToday = !m_dailyStats.isEmpty() && m_dailyStats.last().id() == CsvDate::day(now);
    const DailyStat today = hasToday ? m_dailyStats.last() : DailyStat {};
    if (today.healthScore != m_todayHealthScore) {
        m_todayHealthScore = today.healthScore;
        emit todayHealthScoreChanged();
    }
    if (today.completedSessions != m_todayCompletedSessions) {
        m_todayCompletedSessions = today.completedSessions;
        emit todayCompletedSessionsChanged();
    }
    m_unreadableLogRows = { m_focusLog.unreadableRowCount(), m_activityLog.unreadableRowCount() };
}

void Statistics::reloadDays(const QDateTime &now)
{
    QList<DailyStat> days = DailyStatsRepository::recentDays(statisticsDays, now, m_focusLog, m_activityLog);
    if (days == m_dailyStats)
        return;
    m_dailyStats = std::move(days);
    emit dailyStatsChanged();
}
