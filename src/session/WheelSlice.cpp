#include "session/WheelSlice.h"

#include <algorithm>

namespace {

// The slices stop short of the label ring so that their outlines stay inside the frame.
constexpr double rimInset = 16;

} // namespace

double WheelSlice::radius(const QSizeF &size)
{
    return std::max(0.0, std::min(size.width(), size.height()) / 2 - rimInset);
}

QPainterPath WheelSlice::path(const QRectF &rect) const
{
    const QPointF centre = rect.center();
    const double radius = WheelSlice::radius(rect.size());
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path(centre);
    // QPainterPath counts degrees counter-clockwise on screen, so screen angles change sign.
    path.arcTo(circle, -startAngle, -(endAngle - startAngle));
    path.closeSubpath();
    return path;
}
