#include "DailyStat.h"

#include "CsvDate.h"

QString DailyStat::id() const
{
    return CsvDate::day(date);
}
