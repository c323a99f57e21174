#include "ui/common/ViewPlacement.h"

#include "ui/common/InstantTooltipPlacement.h"
#include "ui/common/SheetPlacement.h"

#include <QScreen>
#include <QWindow>

QPoint ViewPlacement::sheetPosition(QWindow *sheet, QWindow *parent, const QSize &size) const
{
    if (!sheet || !parent)
        return {};
    const QScreen *screen = parent->screen();
    // The window manager tells a window's frame only once it has framed it; until the sheet's first
    // opening, the main window's frame stands in for it.
    const QMargins margins = sheet->frameMargins().isNull() ? parent->frameMargins() : sheet->frameMargins();
    return SheetPlacement::position(
        parent->geometry(), size, margins, screen ? screen->availableGeometry() : QRect());
}

QPointF ViewPlacement::tooltipPosition(const QRectF &anchor, const QString &placement, double height) const
{
    return InstantTooltipBubble::position(anchor,
        fromRawValue<InstantTooltipPlacement>(placement).value_or(InstantTooltipPlacement::trailing), height);
}
