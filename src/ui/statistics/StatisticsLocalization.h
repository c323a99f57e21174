#pragma once

#include "core/AppLanguage.h"

#include <QDate>
#include <QString>

// The minute and date texts of the statistics sheet.
namespace StatisticsLocalization {

// Whole minutes as "2h 5m" or "2小时 5分"; Chinese drops zero minutes once hours appear ("2小时").
QString formatMinutes(qint64 minutes, AppLanguage language);

// A day under the charts: "Mar 5" or "3月5日".
QString chartDateLabel(const QDate &date, AppLanguage language);

// A day of the table: "Today"/"今天" for `today`, else weekday, month and day ("Tue, Mar 5", "3月5日周二").
QString dayLabel(const QDate &date, const QDate &today, AppLanguage language);

} // namespace StatisticsLocalization
