#pragma once

#include <QPainterPath>
#include <QRectF>

// One slice of the break wheel. Angles are in degrees in screen terms: 0 points right and angles grow
// clockwise on screen (y points down), so −90 is straight up.
struct WheelSlice
{
    double startAngle = 0;
    double endAngle = 0;

    // The slice outline inside `rect`: a wedge from the centre of `rect`, radius min(width, height) / 2 − 16,
    // running clockwise on screen from the start angle to the end angle.
    QPainterPath path(const QRectF &rect) const;
    // The radius of the slices in a frame of this size.
    static double radius(const QSizeF &size);

    friend bool operator==(const WheelSlice &, const WheelSlice &) = default;
};
