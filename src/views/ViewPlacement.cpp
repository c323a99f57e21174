#include "ViewPlacement.h"

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
