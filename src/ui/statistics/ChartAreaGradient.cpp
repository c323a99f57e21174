#include "ui/statistics/ChartAreaGradient.h"

#include <QAreaSeries>
#include <QLinearGradient>

QObject *ChartAreaGradient::series() const
{
    return m_series;
}

void ChartAreaGradient::setSeries(QObject *series)
{
    auto *area = qobject_cast<QAreaSeries *>(series);
    if (area == m_series)
        return;
    m_series = area;
    emit changed();
    apply();
}

void ChartAreaGradient::setTopColor(const QColor &color)
{
    if (color == m_top)
        return;
    m_top = color;
    emit changed();
    apply();
}

void ChartAreaGradient::setBottomColor(const QColor &color)
{
    if (color == m_bottom)
        return;
    m_bottom = color;
    emit changed();
    apply();
}

void ChartAreaGradient::apply()
{
    if (!m_series)
        return;
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, m_top);
    gradient.setColorAt(1, m_bottom);
    m_series->setBrush(gradient);
}
