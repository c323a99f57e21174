#pragma once

#include "core/WheelItem.h"

#include <QList>

namespace WheelItemConstraints {

// A draw needs at least two activities with a weight above 0; zero, negative and NaN weights
// do not count.
bool hasEnoughPositiveWeights(const QList<WheelItem> &items);

} // namespace WheelItemConstraints
