#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

class QAreaSeries;

// Fills an area series with a vertical gradient over the area's own bounds. A QML AreaSeries takes only a
// plain colour.
class ChartAreaGradient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *series READ series WRITE setSeries NOTIFY changed FINAL)
    Q_PROPERTY(QColor topColor READ topColor WRITE setTopColor NOTIFY changed FINAL)
    Q_PROPERTY(QColor bottomColor READ bottomColor WRITE setBottomColor NOTIFY changed FINAL)

public:
    using QObject::QObject;

    QObject *series() const;
    void setSeries(QObject *series);
    QColor topColor() const { return m_top; }
    void setTopColor(const QColor &color);
    QColor bottomColor() const { return m_bottom; }
    void setBottomColor(const QColor &color);

signals:
    void changed();

private:
    void apply();

    QPointer<QAreaSeries> m_series;
    QColor m_top;
    QColor m_bottom;
};
