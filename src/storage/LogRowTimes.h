#pragma once

#include <QDate>
#include <QDateTime>
#include <QStringView>
#include <optional>
#include <span>

// When a row of either log happened, read the same way for the journal and the statistics, so that
// both leave out the same rows: a row is readable when it holds every column and both its times.
struct LogRowTimes
{
    QDateTime start;
    QDateTime end;
    // The date column, or the local day of the end when that column is not a date.
    QDate day;

    // Columns 1, 2 and 3 hold the start, the end and the date in both logs.
    static std::optional<LogRowTimes> of(std::span<const QStringView> fields, qsizetype columnCount);
};
