#pragma once

#include <QDate>
#include <QList>
#include <QLocale>
#include <QStringList>
#include <optional>

// The journal's month grid. Weekdays are numbered Sunday = 1 to Saturday = 7 here, as the journal's
// rules count them.
namespace JournalCalendar {

// Qt counts Monday = 1 to Sunday = 7.
int weekdayNumber(Qt::DayOfWeek day);
Qt::DayOfWeek qtDayOfWeek(int weekdayNumber);

// The locale's very short standalone weekday names, starting at `firstWeekday`.
QStringList weekdayLabels(const QLocale &locale, int firstWeekday);

// An empty slot for each weekday before the month's first day, then every day of the month.
QList<std::optional<QDate>> monthCells(QDate month, int firstWeekday);

// The first day of the month `offset` months from the month of `month`.
QDate addMonths(QDate month, int offset);

} // namespace JournalCalendar
