#include "core/DailyStat.h"

#include "core/CsvDate.h"

QString DailyStat::id() const
{
    return CsvDate::day(date);
}
