#pragma once

#include "core/ActiveFocusSessionSnapshot.h"
#include "core/WorkTrackingState.h"

#include <QDateTime>
#include <optional>

// Accounts the active time of one focus round. Time counts while the user is active (up to the idle
// timeout after the last activity) or, without activity tracking, continuously unless paused by hand.
// A plain value: the owner sets the fields directly and passes every instant in; the operations touch
// only these fields, so they allocate nothing and are cheap enough for a 0.25 s tick. Instants in UTC
// make the interval arithmetic cheapest.
struct AutomaticWorkTimer
{
    // Seconds of active time the round needs; at least 1.
    double duration = 1;
    // Seconds after the last activity that still count; at least 1.
    double idleTimeout = 1;
    // Seconds accounted so far, between 0 and duration, in whole milliseconds.
    double accumulatedActiveTime = 0;
    std::optional<QDateTime> lastActivity;
    // Never permissionRequired: that state belongs to the presentation, not to the accounting.
    WorkTrackingState state = WorkTrackingState::waitingForActivity;
    // The instant up to which time has been accounted.
    std::optional<QDateTime> lastAccountingDate;

    bool isComplete() const { return duration <= accumulatedActiveTime; }

    // Rebuilds the timer of an interrupted round. Time that passed while the program was not running
    // never counts, so the snapshot's save time is not used. idleTimeout is kept.
    void restore(const ActiveFocusSessionSnapshot &snapshot, const QDateTime &now);

    // Accounts activity-based time up to now; returns whether the round is complete.
    bool tick(const QDateTime &now);

    // Accounts plain elapsed time up to now (activity tracking off); returns whether the round is complete.
    bool tickContinuously(const QDateTime &now);
};
