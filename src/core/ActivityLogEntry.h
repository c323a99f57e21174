#pragma once

#include "core/WheelItem.h"

#include <QDateTime>

// One confirmed break activity, as a row of the activity log.
struct ActivityLogEntry
{
    QString eventID;
    QDateTime startTimestamp;
    // The instant of confirmation.
    QDateTime timestamp;
    qint64 sessionNumber = 0;
    QString sessionTitle;
    // Its title, health score and base weight are logged.
    WheelItem item;
    double effectiveWeight = 0;
    // The day's running health total including this activity.
    qint64 dailyTotal = 0;
    QString notes;

    friend bool operator==(const ActivityLogEntry &, const ActivityLogEntry &) = default;
};
