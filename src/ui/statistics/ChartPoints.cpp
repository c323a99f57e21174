#include "ui/statistics/ChartPoints.h"

#include <QXYSeries>

QObject *ChartPoints::series() const
{
    return m_series;
}

void ChartPoints::setSeries(QObject *series)
{
    auto *xySeries = qobject_cast<QXYSeries *>(series);
    if (xySeries == m_series)
        return;
    m_series = xySeries;
    emit seriesChanged();
    apply();
}

void ChartPoints::setPoints(const QVariantList &points)
{
    if (points == m_points)
        return;
    m_points = points;
    emit pointsChanged();
    apply();
}

void ChartPoints::apply()
{
    if (!m_series)
        return;
    QList<QPointF> points;
    points.reserve(m_points.size());
    for (const QVariant &point : m_points)
        points.append(point.toPointF());
    // One replacement redraws once; appending point by point would redraw for each.
    m_series->replace(points);
}
