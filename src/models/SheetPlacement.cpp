#include "SheetPlacement.h"

#include <algorithm>

namespace SheetPlacement {

QPoint position(const QRect &parentFrame, const QSize &size, const QRect &availableArea)
{
    const int centredX = parentFrame.x() + (parentFrame.width() - size.width()) / 2;
    const int centredY = parentFrame.y() + (parentFrame.height() - size.height()) / 2;
    if (availableArea.isEmpty())
        return { centredX, centredY };
    return { std::clamp(centredX, availableArea.left(), availableArea.right()),
        std::clamp(centredY, availableArea.top(), availableArea.bottom()) };
}

} // namespace SheetPlacement
