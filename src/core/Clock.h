#pragma once

#include <QDateTime>

// The source of the current date and time, injected so that time-dependent logic can be tested.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
