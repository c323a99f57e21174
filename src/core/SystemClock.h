#pragma once

#include "core/Clock.h"

// The computer's wall clock, in UTC: comparing and subtracting UTC instants is the cheapest, and callers
// that need the local day convert with toLocalTime().
class SystemClock : public Clock
{
public:
    QDateTime now() const override;
};
