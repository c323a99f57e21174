#pragma once

#include <QDateTime>
#include <QString>

// One completed or ended focus round, as a row of the focus log.
struct FocusSessionLogEntry
{
    QString eventID;
    QDateTime startTimestamp;
    QDateTime endTimestamp;
    // Number of the round within its day.
    qint64 sessionNumber = 0;
    QString title;
    qint64 activeSeconds = 0;
    qint64 targetSeconds = 0;
    // False for a round ended early by hand.
    bool completed = false;
    QString notes;

    friend bool operator==(const FocusSessionLogEntry &, const FocusSessionLogEntry &) = default;
};
