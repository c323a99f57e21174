#pragma once

#include <QPainter>
#include <QRect>
#include <algorithm>

// Qt 6.4's raster engine hands every blend of 96 spans or more (a scaled picture, a brush or a translucent
// fill over 96 lines) to its thread pool in parts and waits for them. Under a video that wake-up costs the
// window more than the blend it spares. Drawn through clips of at most 64 lines, within the painter's own
// clip, the same pixels are blended on the calling thread. `area` is in the painter's device pixels.
template<typename Draw> void drawInBands(QPainter &painter, const QRect &area, Draw draw)
{
    constexpr int rowsPerBand = 64;
    const QTransform toDevice = painter.transform();
    for (int top = area.top(); top <= area.bottom(); top += rowsPerBand) {
        painter.save();
        painter.resetTransform();
        painter.setClipRect(
            QRect(area.left(), top, area.width(), std::min(rowsPerBand, area.bottom() + 1 - top)),
            Qt::IntersectClip);
        painter.setTransform(toDevice);
        draw();
        painter.restore();
    }
}
