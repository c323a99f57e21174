#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantList>

class QCategoryAxis;

// Puts date labels on a category axis of day indices, each label on its day. Labels are maps with
// "day" (the index) and "text".
class ChartDayLabels : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *axis READ axis WRITE setAxis NOTIFY axisChanged FINAL)
    Q_PROPERTY(QVariantList labels READ labels WRITE setLabels NOTIFY labelsChanged FINAL)

public:
    using QObject::QObject;

    QObject *axis() const;
    void setAxis(QObject *axis);
    const QVariantList &labels() const { return m_labels; }
    void setLabels(const QVariantList &labels);

signals:
    void axisChanged();
    void labelsChanged();

private:
    void apply();

    QPointer<QCategoryAxis> m_axis;
    QVariantList m_labels;
};
