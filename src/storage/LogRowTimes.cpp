#include "storage/LogRowTimes.h"

#include "core/CsvDate.h"

std::optional<LogRowTimes> LogRowTimes::of(std::span<const QStringView> fields, qsizetype columnCount)
{
    if (qsizetype(fields.size()) < columnCount)
        return std::nullopt;
    const std::optional<QDateTime> start = CsvDate::parseTimestamp(fields[1]);
    const std::optional<QDateTime> end = CsvDate::parseTimestamp(fields[2]);
    if (!start || !end)
        return std::nullopt;
    return LogRowTimes { *start, *end, CsvDate::parseDay(fields[3]).value_or(CsvDate::localDay(*end)) };
}
