#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QQuickPaintedItem>

// A rounded rectangle filled, or only outlined, with a linear gradient from `start` to `end` (in the item's
// own coordinates, padded beyond them). Drawn with QPainter once per change, so that every scene graph
// backend draws it, the software one too, and a frame that changes something else leaves it alone.
class RoundedGradient : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(qreal radius MEMBER m_radius NOTIFY appearanceChanged FINAL)
    // 0 fills the shape; otherwise an outline this wide, inside the bounds as a Rectangle's border.
    Q_PROPERTY(qreal strokeWidth MEMBER m_strokeWidth NOTIFY appearanceChanged FINAL)
    Q_PROPERTY(QPointF start MEMBER m_start NOTIFY appearanceChanged FINAL)
    Q_PROPERTY(QPointF end MEMBER m_end NOTIFY appearanceChanged FINAL)
    // Spread evenly from `start` to `end`; colours interpolate premultiplied, as a gradient effect's.
    Q_PROPERTY(QList<QColor> colors MEMBER m_colours NOTIFY appearanceChanged FINAL)

public:
    explicit RoundedGradient(QQuickItem *parent = nullptr);

    void paint(QPainter *painter) override;

signals:
    void appearanceChanged();

private:
    qreal m_radius = 0;
    qreal m_strokeWidth = 0;
    QPointF m_start;
    QPointF m_end;
    QList<QColor> m_colours;
};
