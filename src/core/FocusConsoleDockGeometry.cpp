#include "core/FocusConsoleDockGeometry.h"

#include <algorithm>
#include <cmath>

namespace FocusConsoleDockGeometry {

FocusConsoleDock resolvedDock(FocusConsoleDock current, double translation, double travelDistance)
{
    if (!(travelDistance > 0) || std::isnan(translation))
        return current;
    // 28 / 100 rather than 0.28, whose binary value is a little above: a travel of 400 must give a
    // threshold of exactly 112, not 112.00000000000001.
    const double threshold
        = std::min(std::clamp(28 * travelDistance / 100, 72.0, 160.0), 0.5 * travelDistance);
    if (current == FocusConsoleDock::leading) {
        const double moved = std::min(std::max(translation, 0.0), travelDistance);
        return moved >= threshold ? FocusConsoleDock::trailing : FocusConsoleDock::leading;
    }
    const double moved = std::max(std::min(translation, 0.0), -travelDistance);
    return moved <= -threshold ? FocusConsoleDock::leading : FocusConsoleDock::trailing;
}

} // namespace FocusConsoleDockGeometry
