#pragma once

#include "core/AppLanguage.h"

#include <QString>
#include <QtGlobal>

// A minutes setting changed one step at a time within its range. A stored value outside the range (only
// a hand-edited file holds one) is shown as it is; the first step in the range's direction brings it
// back inside.
struct MinuteStepper
{
    qint64 minimum;
    qint64 maximum;

    // "25 分钟" / "25 minutes", the plain number for every value, 1 included.
    static QString label(qint64 minutes, AppLanguage language);

    bool canIncrease(qint64 minutes) const { return minutes < maximum; }
    bool canDecrease(qint64 minutes) const { return minutes > minimum; }
    // clamp(minutes ± 1) into the range; +1 for a positive direction, −1 otherwise.
    qint64 stepped(qint64 minutes, int direction) const;
};

namespace MinuteSteppers {
inline constexpr MinuteStepper sessionMinutes { 1, 180 };
inline constexpr MinuteStepper keyboardIdleMinutes { 1, 30 };
} // namespace MinuteSteppers
