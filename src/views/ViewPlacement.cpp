#include "ViewPlacement.h"

#include "models/InstantTooltipPlacement.h"
#include "models/SheetPlacement.h"

#include <QScreen>
#include <QWindow>

QPoint ViewPlacement::sheetPosition(QWindow *parent, const QSize &size) const
{
    if (!parent)
        return {};
    const QScreen *screen = parent->screen();
    return SheetPlacement::position(parent->geometry(), size, screen ? screen->availableGeometry() : QRect());
}

QPointF ViewPlacement::tooltipPosition(const QRectF &anchor, const QString &placement, double height) const
{
    return InstantTooltipBubble::position(anchor,
        fromRawValue<InstantTooltipPlacement>(placement).value_or(InstantTooltipPlacement::trailing), height);
}
