#pragma once

#include "core/FocusSessionLogEntry.h"
#include "core/Result.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

// The running focus round as saved for a restart of the application.
struct ActiveFocusSessionSnapshot
{
    double targetSeconds = 0;
    double accumulatedActiveSeconds = 0;
    // Seconds since 1970-01-01 00:00:00 UTC.
    double savedAtEpoch = 0;
    std::optional<bool> manuallyPaused;
    // Becomes the event identifier of the round's focus-log row.
    std::optional<QString> sessionID;
    std::optional<double> startedAtEpoch;
    std::optional<QString> notes;
    std::optional<QString> title;
    // Rounds that ended while their row could not be written: a restart writes them, never resumes them.
    // Alone (a zero target) while no round runs.
    QList<FocusSessionLogEntry> endedRounds;

    // Whether a restart may resume this round: a finite positive target and a finite
    // accumulated time in [0, target).
    bool isRestorable() const;

    static Result<ActiveFocusSessionSnapshot> fromJson(const QJsonValue &value);
    QJsonObject toJson() const;

    // One ended round's row as the snapshot keeps it.
    struct EndedRound
    {
        FocusSessionLogEntry row;

        static Result<EndedRound> fromJson(const QJsonValue &value);
        QJsonObject toJson() const;
    };

    friend bool operator==(const ActiveFocusSessionSnapshot &, const ActiveFocusSessionSnapshot &) = default;
};
