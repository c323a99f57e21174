#pragma once

#include <QPoint>
#include <QRect>

namespace ScreenFit {

// Where `rect` goes when it is moved just enough to lie inside `area`. Along a side where it is larger
// than the area it starts where the area starts, so that a window's title bar stays reachable.
QPoint movedInside(const QRect &rect, const QRect &area);

} // namespace ScreenFit
