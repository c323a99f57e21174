#include "ui/common/SheetPlacement.h"

#include "core/ScreenFit.h"

namespace SheetPlacement {

QPoint position(
    const QRect &parentFrame, const QSize &size, const QMargins &frameMargins, const QRect &availableArea)
{
    const QPoint centred(parentFrame.x() + (parentFrame.width() - size.width()) / 2,
        parentFrame.y() + (parentFrame.height() - size.height()) / 2);
    if (availableArea.isEmpty())
        return centred;
    const QRect framed = QRect(centred, size).marginsAdded(frameMargins);
    return ScreenFit::movedInside(framed, availableArea) + QPoint(frameMargins.left(), frameMargins.top());
}

QSize size(const QSize &size, const QMargins &frameMargins, const QRect &availableArea)
{
    if (availableArea.isEmpty())
        return size;
    return size.boundedTo(availableArea.marginsRemoved(frameMargins).size());
}

} // namespace SheetPlacement
