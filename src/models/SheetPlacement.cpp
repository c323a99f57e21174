#include "SheetPlacement.h"

#include <algorithm>

namespace SheetPlacement {

namespace {

// The start of a span of `length` near `wanted` inside [start, start + extent); a span longer than the
// extent starts at its start, where the title bar is.
int keptInside(int wanted, int length, int start, int extent)
{
    return std::clamp(wanted, start, std::max(start, start + extent - length));
}

} // namespace

QPoint position(
    const QRect &parentFrame, const QSize &size, const QMargins &frameMargins, const QRect &availableArea)
{
    const int centredX = parentFrame.x() + (parentFrame.width() - size.width()) / 2;
    const int centredY = parentFrame.y() + (parentFrame.height() - size.height()) / 2;
    if (availableArea.isEmpty())
        return { centredX, centredY };
    const QSize framed = size.grownBy(frameMargins);
    return { keptInside(
                 centredX - frameMargins.left(), framed.width(), availableArea.x(), availableArea.width())
            + frameMargins.left(),
        keptInside(centredY - frameMargins.top(), framed.height(), availableArea.y(), availableArea.height())
            + frameMargins.top() };
}

} // namespace SheetPlacement
