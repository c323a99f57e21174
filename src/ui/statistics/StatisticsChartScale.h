#pragma once

#include <QList>
#include <QPointF>

// The numbers behind the statistics charts: a value axis whose labels are whole numbers, the smooth
// health line and the days that carry a date label.
namespace StatisticsChartScale {

// A value axis from 0 to `maximum` with `tickCount` evenly spaced ticks, each on a whole number.
struct ValueAxis
{
    double maximum = 1;
    int tickCount = 2;

    friend bool operator==(const ValueAxis &, const ValueAxis &) = default;
};

// The smallest axis of at most five intervals of 1, 2 or 5 times a power of ten that reaches above
// `peak`; at least 0 to 1.
ValueAxis wholeNumberAxis(double peak);

// A dense centripetal Catmull-Rom line (alpha 0.5) through every point in order, with
// `samplesPerSegment` samples per gap; points are (day index, value). No sample goes below 0.
QList<QPointF> smoothCurve(const QList<QPointF> &points, int samplesPerSegment = 16);

// The indices of the days that carry a date label: every day over 7 days, every fifth from the oldest
// over 30.
QList<int> labelledDays(int dayCount, int range);

} // namespace StatisticsChartScale
