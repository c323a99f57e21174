#include "ui/common/ViewPlacement.h"

#include "ui/common/InstantTooltipPlacement.h"
#include "ui/common/SheetPlacement.h"

#include <QScreen>
#include <QWindow>

namespace {

// The window manager tells a window's frame only once it has framed it; until the sheet's first opening,
// the main window's frame stands in for it.
QMargins sheetMargins(const QWindow &sheet, const QWindow &parent)
{
    return sheet.frameMargins().isNull() ? parent.frameMargins() : sheet.frameMargins();
}

QRect availableArea(const QWindow &parent)
{
    return parent.screen() ? parent.screen()->availableGeometry() : QRect();
}

} // namespace

QPoint ViewPlacement::sheetPosition(QWindow *sheet, QWindow *parent, const QSize &size) const
{
    if (!sheet || !parent)
        return {};
    return SheetPlacement::position(
        parent->geometry(), size, sheetMargins(*sheet, *parent), availableArea(*parent));
}

QSize ViewPlacement::sheetSize(QWindow *sheet, QWindow *parent, const QSize &size) const
{
    if (!sheet || !parent)
        return size;
    return SheetPlacement::size(size, sheetMargins(*sheet, *parent), availableArea(*parent));
}

QPointF ViewPlacement::tooltipPosition(const QRectF &anchor, const QString &placement, double height) const
{
    return InstantTooltipBubble::position(anchor,
        fromRawValue<InstantTooltipPlacement>(placement).value_or(InstantTooltipPlacement::trailing), height);
}
