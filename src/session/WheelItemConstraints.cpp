#include "session/WheelItemConstraints.h"

#include <algorithm>

namespace WheelItemConstraints {

bool hasEnoughPositiveWeights(const QList<WheelItem> &items)
{
    // NaN compares false, so it never counts as positive.
    return std::count_if(items.begin(), items.end(), [](const WheelItem &item) { return item.weight > 0; })
        >= 2;
}

} // namespace WheelItemConstraints
