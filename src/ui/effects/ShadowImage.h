#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <functional>

class QPainter;

// A soft drop shadow of some drawing, blurred once when it is made and then drawn as often as needed.
class ShadowImage
{
public:
    ShadowImage() = default;
    // `paintContent` draws, inside `bounds`, what casts the shadow; only its opacity counts. `colour`
    // carries the shadow's own opacity; `blurRadius` is the softness the views ask for (about two standard
    // deviations of a Gaussian); `offset` moves the shadow away from the content.
    ShadowImage(const QRectF &bounds, const std::function<void(QPainter &)> &paintContent,
        const QColor &colour, double blurRadius, const QPointF &offset, qreal devicePixelRatio);

    bool isNull() const { return m_image.isNull(); }
    // Where `draw()` paints, blur included.
    QRectF bounds() const { return QRectF(m_topLeft, m_image.deviceIndependentSize()); }
    void draw(QPainter &painter) const;

private:
    QImage m_image;
    QPointF m_topLeft;
};
