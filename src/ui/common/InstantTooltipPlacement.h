#pragma once

#include "core/RawValueEnum.h"

#include <QPointF>
#include <QRectF>

// Where an instant tooltip's bubble opens beside the control it explains.
enum class InstantTooltipPlacement { trailing, topLeading, topTrailing, bottomTrailing };

template<> struct RawValues<InstantTooltipPlacement>
{
    static constexpr std::array texts { "trailing", "topLeading", "topTrailing", "bottomTrailing" };
};

namespace InstantTooltipBubble {

inline constexpr double width = 234;

// The top-left corner of a bubble `height` tall for a control whose frame is `anchor`, both in the
// coordinates of the layer that draws the bubble. Not held inside the window: a bubble may reach past
// its edge.
QPointF position(const QRectF &anchor, InstantTooltipPlacement placement, double height);

} // namespace InstantTooltipBubble
