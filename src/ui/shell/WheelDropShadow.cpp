#include "ui/shell/WheelDropShadow.h"

#include <QPainter>

WheelDropShadow::WheelDropShadow(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setObjectName(QStringLiteral("wheelDropShadow"));
    // Beneath the parent's own painting.
    setZ(-1);
}

void WheelDropShadow::setShadow(ShadowImage shadow)
{
    m_shadow = std::move(shadow);
    const QRectF bounds = m_shadow.bounds();
    setPosition(bounds.topLeft());
    setSize(bounds.size());
    update();
}

void WheelDropShadow::paint(QPainter *painter)
{
    painter->translate(-position());
    m_shadow.draw(*painter);
}
