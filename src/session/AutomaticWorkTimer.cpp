#include "session/AutomaticWorkTimer.h"

#include <algorithm>
#include <cmath>

namespace {

// Seconds from `from` to `to`, negative when `to` is earlier.
double secondsBetween(const QDateTime &from, const QDateTime &to)
{
    return static_cast<double>(from.msecsTo(to)) / 1000.0;
}

// Counted time is kept to the whole millisecond, as the instants it comes from are: sums of
// fractions of a second as doubles drift below a whole second (half of 2 minutes as
// 59.99999999999999), and the time left, which rounds up, would then read a second too long.
double wholeMilliseconds(double seconds)
{
    return std::round(seconds * 1000.0) / 1000.0;
}

} // namespace

void AutomaticWorkTimer::restore(const ActiveFocusSessionSnapshot &snapshot, const QDateTime &now)
{
    // A NaN target would make the round impossible to complete; it gets the smallest length instead.
    duration = std::isnan(snapshot.targetSeconds) ? 1.0 : std::max(snapshot.targetSeconds, 1.0);
    const double accumulated = std::isnan(snapshot.accumulatedActiveSeconds)
        ? 0.0
        : std::max(snapshot.accumulatedActiveSeconds, 0.0);
    accumulatedActiveTime = std::min(wholeMilliseconds(accumulated), duration);
    lastActivity.reset();
    lastAccountingDate = now;
    state = snapshot.manuallyPaused.value_or(false) ? WorkTrackingState::manuallyPaused
                                                    : WorkTrackingState::waitingForActivity;
}

bool AutomaticWorkTimer::tick(const QDateTime &now)
{
    if (state != WorkTrackingState::tracking || !lastActivity || !lastAccountingDate)
        return isComplete();

    // Everything is measured from the last accounting instant: the idle cutoff, now, and the end of the
    // interval that counts.
    const double cutoff = secondsBetween(*lastAccountingDate, *lastActivity) + idleTimeout;
    const double elapsed = secondsBetween(*lastAccountingDate, now);
    const double counted = std::min(cutoff, elapsed);
    if (counted > 0)
        accumulatedActiveTime = std::min(wholeMilliseconds(accumulatedActiveTime + counted), duration);
    lastAccountingDate = now;
    if (elapsed >= cutoff && !isComplete())
        state = WorkTrackingState::idlePaused;
    return isComplete();
}

bool AutomaticWorkTimer::tickContinuously(const QDateTime &now)
{
    if (state == WorkTrackingState::manuallyPaused)
        return isComplete();
    if (lastAccountingDate) {
        const double elapsed = secondsBetween(*lastAccountingDate, now);
        if (elapsed > 0)
            accumulatedActiveTime = std::min(wholeMilliseconds(accumulatedActiveTime + elapsed), duration);
    }
    lastAccountingDate = now;
    lastActivity = now;
    state = WorkTrackingState::tracking;
    return isComplete();
}
