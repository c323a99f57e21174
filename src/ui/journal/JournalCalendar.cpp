#include "ui/journal/JournalCalendar.h"

namespace JournalCalendar {

int weekdayNumber(Qt::DayOfWeek day)
{
    return int(day) % 7 + 1;
}

Qt::DayOfWeek qtDayOfWeek(int weekdayNumber)
{
    return Qt::DayOfWeek((weekdayNumber + 5) % 7 + 1);
}

QStringList weekdayLabels(const QLocale &locale, int firstWeekday)
{
    const int shift = std::clamp(firstWeekday - 1, 0, 6);
    QStringList labels;
    for (int i = 0; i < 7; ++i)
        labels.append(locale.standaloneDayName(int(qtDayOfWeek((shift + i) % 7 + 1)), QLocale::NarrowFormat));
    return labels;
}

QList<std::optional<QDate>> monthCells(QDate month, int firstWeekday)
{
    const QDate first(month.year(), month.month(), 1);
    if (!first.isValid())
        return {};
    const int leading = (weekdayNumber(Qt::DayOfWeek(first.dayOfWeek())) - firstWeekday + 7) % 7;
    QList<std::optional<QDate>> cells(leading);
    for (int day = 0; day < first.daysInMonth(); ++day)
        cells.append(first.addDays(day));
    return cells;
}

QDate addMonths(QDate month, int offset)
{
    return QDate(month.year(), month.month(), 1).addMonths(offset);
}

} // namespace JournalCalendar
