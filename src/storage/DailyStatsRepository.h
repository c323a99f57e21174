#pragma once

#include "core/DailyStat.h"

#include <QDateTime>
#include <QList>

class CSVLogger;
class FocusSessionLogger;

// One DailyStat per calendar day, built from both logs; nothing is cached, every call reads them again.
namespace DailyStatsRepository {

// The last max(count, 1) local calendar days ending on the day of `now`, oldest first, today last.
QList<DailyStat> recentDays(
    qint64 count, const QDateTime &now, const FocusSessionLogger &focusLog, const CSVLogger &activityLog);

} // namespace DailyStatsRepository
