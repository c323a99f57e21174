#include "storage/DailyStatsRepository.h"

#include "core/CsvDate.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <algorithm>

namespace DailyStatsRepository {

QList<DailyStat> recentDays(
    qint64 count, const QDateTime &now, const FocusSessionLogger &focusLog, const CSVLogger &activityLog)
{
    const QDate today = now.toLocalTime().date();
    const QHash<QString, qint64> scores = activityLog.dailyHealthScores();
    const QHash<QString, FocusSessionLogger::DayMetrics> metrics = focusLog.dailyMetrics();

    QList<DailyStat> stats;
    for (qint64 offset = 1 - std::max<qint64>(count, 1); offset <= 0; ++offset) {
        // Calendar days, not multiples of 24 hours, so every day starts at its local midnight even
        // across a daylight-saving change.
        const QDate day = today.addDays(offset);
        const QDateTime start = day.startOfDay();
        if (!start.isValid())
            continue;
        const QString key = CsvDate::day(day);
        const FocusSessionLogger::DayMetrics dayMetrics = metrics.value(key);
        stats.append(DailyStat { start, scores.value(key), dayMetrics.sessions, dayMetrics.activeSeconds });
    }
    return stats;
}

} // namespace DailyStatsRepository
