#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace SheetPlacement {

// Where a sheet of `size` opens: centred over the main window's `parentFrame`, then moved just enough
// that the whole sheet, with the window manager's `frameMargins` around it, lies on the screen's
// `availableArea`, so that none of its buttons is out of reach. A sheet larger than the area keeps its
// top-left corner, and so its title bar, on it.
QPoint position(
    const QRect &parentFrame, const QSize &size, const QMargins &frameMargins, const QRect &availableArea);

// The size a sheet that wants `size` opens at: as tall and wide as fits, with the window manager's
// `frameMargins` around it, in the screen's `availableArea`; its view scrolls for the rest.
QSize size(const QSize &size, const QMargins &frameMargins, const QRect &availableArea);

} // namespace SheetPlacement
