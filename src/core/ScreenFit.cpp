#include "core/ScreenFit.h"

#include <algorithm>

namespace ScreenFit {

namespace {

int keptInside(int wanted, int length, int start, int extent)
{
    return std::clamp(wanted, start, std::max(start, start + extent - length));
}

} // namespace

QPoint movedInside(const QRect &rect, const QRect &area)
{
    return { keptInside(rect.x(), rect.width(), area.x(), area.width()),
        keptInside(rect.y(), rect.height(), area.y(), area.height()) };
}

} // namespace ScreenFit
