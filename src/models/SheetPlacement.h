#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace SheetPlacement {

// Where a sheet of `size` opens: centred over the main window's `parentFrame`, then moved just enough
// that its top-left corner lies on the screen's `availableArea`, so its title bar can always be reached.
QPoint position(const QRect &parentFrame, const QSize &size, const QRect &availableArea);

} // namespace SheetPlacement
