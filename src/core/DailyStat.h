#pragma once

#include <QDateTime>
#include <QString>

// The statistics of one calendar day.
struct DailyStat
{
    // Start of the day, local time.
    QDateTime date;
    qint64 healthScore = 0;
    qint64 completedSessions = 0;
    qint64 activeSeconds = 0;

    // The day as "yyyy-MM-dd".
    QString id() const;

    friend bool operator==(const DailyStat &, const DailyStat &) = default;
};
