#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantList>

class QXYSeries;

// Gives a chart series its points in one step whenever either changes. Points are QPointF values.
class ChartPoints : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *series READ series WRITE setSeries NOTIFY seriesChanged FINAL)
    Q_PROPERTY(QVariantList points READ points WRITE setPoints NOTIFY pointsChanged FINAL)

public:
    using QObject::QObject;

    QObject *series() const;
    void setSeries(QObject *series);
    const QVariantList &points() const { return m_points; }
    void setPoints(const QVariantList &points);

signals:
    void seriesChanged();
    void pointsChanged();

private:
    void apply();

    QPointer<QXYSeries> m_series;
    QVariantList m_points;
};
