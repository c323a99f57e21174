#pragma once

#include "core/FocusConsoleDock.h"

namespace FocusConsoleDockGeometry {

// The corner the focus console settles in after a horizontal drag of `translation` points
// (positive to the right) across a free travel of `travelDistance` points. The console changes
// corner only when dragged at least a threshold towards the other corner: 28 % of the travel,
// kept between 72 and 160 points but never more than half the travel.
FocusConsoleDock resolvedDock(FocusConsoleDock current, double translation, double travelDistance);

} // namespace FocusConsoleDockGeometry
