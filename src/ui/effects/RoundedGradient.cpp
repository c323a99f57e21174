#include "ui/effects/RoundedGradient.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

RoundedGradient::RoundedGradient(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    connect(this, &RoundedGradient::appearanceChanged, this, [this] { update(); });
}

void RoundedGradient::paint(QPainter *painter)
{
    const QRectF bounds(0, 0, width(), height());
    if (bounds.isEmpty() || m_colours.isEmpty())
        return;
    QLinearGradient gradient(m_start, m_end);
    const qsizetype last = m_colours.size() - 1;
    for (qsizetype i = 0; i <= last; ++i)
        gradient.setColorAt(last == 0 ? 0 : qreal(i) / qreal(last), m_colours[i]);

    // The outline is the ring between the rounded bounds and the same shape inset by the stroke width, as
    // a Rectangle draws its border; a stroked path would reach half its width outside.
    const qreal shorter = std::min(bounds.width(), bounds.height());
    const qreal radius = std::clamp(m_radius, 0.0, shorter / 2);
    QPainterPath shape;
    shape.addRoundedRect(bounds, radius, radius);
    // The path fills odd-even, so the inner shape is a hole. An outline as wide as the shape fills it.
    const qreal inset = m_strokeWidth;
    if (inset > 0 && inset < shorter / 2) {
        const qreal innerRadius = std::max(0.0, radius - inset);
        shape.addRoundedRect(bounds.adjusted(inset, inset, -inset, -inset), innerRadius, innerRadius);
    }
    painter->setRenderHint(QPainter::Antialiasing, antialiasing());
    painter->fillPath(shape, gradient);
}
