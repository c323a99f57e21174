#include "ui/statistics/ChartDayLabels.h"

#include <QCategoryAxis>

QObject *ChartDayLabels::axis() const
{
    return m_axis;
}

void ChartDayLabels::setAxis(QObject *axis)
{
    auto *categoryAxis = qobject_cast<QCategoryAxis *>(axis);
    if (categoryAxis == m_axis)
        return;
    m_axis = categoryAxis;
    emit axisChanged();
    apply();
}

void ChartDayLabels::setLabels(const QVariantList &labels)
{
    if (labels == m_labels)
        return;
    m_labels = labels;
    emit labelsChanged();
    apply();
}

void ChartDayLabels::apply()
{
    if (!m_axis)
        return;
    for (const QString &label : m_axis->categoriesLabels())
        m_axis->remove(label);
    for (const QVariant &label : m_labels) {
        const QVariantMap map = label.toMap();
        m_axis->append(
            map.value(QStringLiteral("text")).toString(), map.value(QStringLiteral("day")).toDouble());
    }
}
