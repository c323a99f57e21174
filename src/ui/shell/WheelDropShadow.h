#pragma once

#include "ui/effects/ShadowImage.h"

#include <QQuickPaintedItem>

// The wheel's drop shadow as an item of its own behind the wheel. The blur reaches past the wheel's
// square, where the wheel's own painting is cut off; here it gets all the room it needs. The disc's
// shadow is the same at every angle, so it is painted once per size, not once per frame of a spin.
class WheelDropShadow : public QQuickPaintedItem
{
    Q_OBJECT

public:
    explicit WheelDropShadow(QQuickItem *parent);

    // Shows `shadow`, whose position is given in the parent's coordinates.
    void setShadow(ShadowImage shadow);
    void paint(QPainter *painter) override;

private:
    ShadowImage m_shadow;
};
