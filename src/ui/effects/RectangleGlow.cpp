#include "ui/effects/RectangleGlow.h"

#include <QPainter>
#include <QQuickPaintedItem>
#include <QQuickWindow>
#include <algorithm>
#include <cmath>
#include <vector>

// The glow's pixels, in a child of the glowing item that reaches past it on every side.
class RectangleGlowPicture : public QQuickPaintedItem
{
public:
    explicit RectangleGlowPicture(QQuickItem *parent)
        : QQuickPaintedItem(parent)
    { }

    void show(const QSizeF &shape, qreal glowRadius, qreal cornerRadius, const QColor &colour)
    {
        m_shape = shape;
        m_glowRadius = glowRadius;
        m_cornerRadius = cornerRadius;
        m_colour = colour;
        const qreal extent = RectangleGlow::extent(shape, glowRadius, cornerRadius);
        setPosition(QPointF(-extent, -extent));
        setSize(extent > 0 ? shape + QSizeF(2 * extent, 2 * extent) : QSizeF());
        update();
    }

    // Only called after `update()`: the scene keeps the painted texture until the glow changes.
    void paint(QPainter *painter) override
    {
        const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1;
        painter->drawImage(
            QPointF(0, 0), RectangleGlow::image(m_shape, m_glowRadius, m_cornerRadius, m_colour, ratio));
    }

protected:
    void itemChange(ItemChange change, const ItemChangeData &value) override
    {
        QQuickPaintedItem::itemChange(change, value);
        if (change == ItemDevicePixelRatioHasChanged)
            update();
    }

private:
    QSizeF m_shape;
    qreal m_glowRadius = 0;
    qreal m_cornerRadius = 0;
    QColor m_colour;
};

namespace {

qreal cornerRadiusFor(const QSizeF &shape, qreal glowRadius, qreal cornerRadius)
{
    return std::clamp(cornerRadius, 0.0, std::min(shape.width(), shape.height()) / 2 + glowRadius);
}

// The glow's strength across one axis, per device pixel: it rises smoothly from nothing at the outer edge
// over the glow radius and twice the corner radius, so that it is about half at the shape's edge and full
// a corner radius inside it.
std::vector<float> falloff(qreal length, qreal ramp, qreal devicePixelRatio)
{
    std::vector<float> values(size_t(std::ceil(length * devicePixelRatio)));
    for (size_t i = 0; i < values.size(); ++i) {
        const qreal position = (qreal(i) + 0.5) / devicePixelRatio;
        const qreal x = std::clamp(std::min(position, length - position) / ramp, 0.0, 1.0);
        values[i] = float(x * x * (3 - 2 * x));
    }
    return values;
}

} // namespace

RectangleGlow::RectangleGlow(QQuickItem *parent)
    : QQuickItem(parent)
    , m_picture(new RectangleGlowPicture(this))
{ }

// Each property has a signal of its own: a corner radius bound to the glow radius would otherwise see
// itself change.
template<typename T> void RectangleGlow::assign(T &member, const T &value, void (RectangleGlow::*changed)())
{
    if (member == value)
        return;
    member = value;
    placePicture();
    emit(this->*changed)();
}

void RectangleGlow::setGlowRadius(qreal radius)
{
    assign(m_glowRadius, radius, &RectangleGlow::glowRadiusChanged);
}
void RectangleGlow::setCornerRadius(qreal radius)
{
    assign(m_cornerRadius, radius, &RectangleGlow::cornerRadiusChanged);
}
void RectangleGlow::setColor(const QColor &colour)
{
    assign(m_colour, colour, &RectangleGlow::colorChanged);
}

void RectangleGlow::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    // Moving the glow moves its picture along; only a new size paints it anew.
    if (newGeometry.size() != oldGeometry.size())
        placePicture();
}

void RectangleGlow::placePicture()
{
    m_picture->show(size(), m_glowRadius, m_cornerRadius, m_colour);
}

qreal RectangleGlow::extent(const QSizeF &shape, qreal glowRadius, qreal cornerRadius)
{
    if (!(glowRadius > 0))
        return 0;
    return glowRadius + cornerRadiusFor(shape, glowRadius, cornerRadius);
}

QImage RectangleGlow::image(
    const QSizeF &shape, qreal glowRadius, qreal cornerRadius, const QColor &colour, qreal devicePixelRatio)
{
    const qreal margin = extent(shape, glowRadius, cornerRadius);
    if (margin <= 0 || !(devicePixelRatio > 0))
        return {};
    const qreal ramp = glowRadius + 2 * cornerRadiusFor(shape, glowRadius, cornerRadius);
    const std::vector<float> across = falloff(shape.width() + 2 * margin, ramp, devicePixelRatio);
    const std::vector<float> down = falloff(shape.height() + 2 * margin, ramp, devicePixelRatio);

    QImage image(int(across.size()), int(down.size()), QImage::Format_ARGB32_Premultiplied);
    const QColor colourRgb = colour.toRgb();
    const float red = float(colourRgb.redF()), green = float(colourRgb.greenF()),
                blue = float(colourRgb.blueF());
    const float opacity = float(colourRgb.alphaF());
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // The strength is squared, as the effect does: the glow fades faster than it rises.
            const float strength = across[size_t(x)] * down[size_t(y)];
            const float alpha = strength * strength * opacity;
            row[x] = qRgba(int(std::lround(red * alpha * 255)), int(std::lround(green * alpha * 255)),
                int(std::lround(blue * alpha * 255)), int(std::lround(alpha * 255)));
        }
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}
