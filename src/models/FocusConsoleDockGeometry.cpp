#include "FocusConsoleDockGeometry.h"

#include <algorithm>
#include <cmath>

namespace FocusConsoleDockGeometry {

FocusConsoleDock resolvedDock(FocusConsoleDock current, double translation, double travelDistance)
{
    if (!(travelDistance > 0) || std::isnan(translation))
        return current;
    const double threshold = std::min(std::clamp(0.28 * travelDistance, 72.0, 160.0), 0.5 * travelDistance);
    if (current == FocusConsoleDock::leading) {
        const double moved = std::min(std::max(translation, 0.0), travelDistance);
        return moved >= threshold ? FocusConsoleDock::trailing : FocusConsoleDock::leading;
    }
    const double moved = std::max(std::min(translation, 0.0), -travelDistance);
    return moved <= -threshold ? FocusConsoleDock::leading : FocusConsoleDock::trailing;
}

} // namespace FocusConsoleDockGeometry
