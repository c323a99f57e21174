#include "ui/common/InstantTooltipPlacement.h"

namespace InstantTooltipBubble {

QPointF position(const QRectF &anchor, InstantTooltipPlacement placement, double height)
{
    // Beside the control the bubble keeps a gap of 12; above or below, it stands 44 from the control's
    // far edge, which clears the header's 34-high buttons by 10.
    constexpr double sideGap = 12;
    constexpr double verticalOffset = 44;
    switch (placement) {
    case InstantTooltipPlacement::trailing:
        return { anchor.right() + sideGap, anchor.center().y() - height / 2 };
    case InstantTooltipPlacement::topLeading:
        return { anchor.left(), anchor.bottom() - verticalOffset - height };
    case InstantTooltipPlacement::topTrailing:
        return { anchor.right() - width, anchor.bottom() - verticalOffset - height };
    case InstantTooltipPlacement::bottomTrailing:
        return { anchor.right() - width, anchor.top() + verticalOffset };
    }
    return anchor.topLeft();
}

} // namespace InstantTooltipBubble
