#pragma once

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Where the break screen puts its wheel and its action area. Where the screen is large enough, the wheel
// is centred on it, min(w − 80, h − 240, 540) across, and the action area's centre lies 54 below the
// wheel but never lower than 120 above the bottom. Where that would put the action area on the wheel, the
// wheel over the header, or the wheel under the music card, the wheel gives way: it moves up, then to the
// right, and shrinks as little as it must, so that the drawn result always reads below it.
struct BreakScreenLayout
{
    QRectF wheel;
    QPointF actionCentre;

    // `headerBottom` is where the screen's two-line header ends; `action` the action area's largest size;
    // `card` the music card's frame on the screen, empty without one.
    static BreakScreenLayout compute(
        const QSizeF &screen, double headerBottom, const QSizeF &action, const QRectF &card);
};

// The layout for the break screen's bindings.
class BreakScreenGeometry : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE QRectF wheel(
        const QSizeF &screen, double headerBottom, const QSizeF &action, const QRectF &card) const
    {
        return BreakScreenLayout::compute(screen, headerBottom, action, card).wheel;
    }
    Q_INVOKABLE QPointF actionCentre(
        const QSizeF &screen, double headerBottom, const QSizeF &action, const QRectF &card) const
    {
        return BreakScreenLayout::compute(screen, headerBottom, action, card).actionCentre;
    }
};
