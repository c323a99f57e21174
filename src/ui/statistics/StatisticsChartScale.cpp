#include "ui/statistics/StatisticsChartScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace StatisticsChartScale {

namespace {

constexpr int maximumIntervals = 5;

// One gap of the centripetal Catmull-Rom spline between p1 and p2 (Barry and Goldman's form).
// Knot intervals are the square roots of the distances; consecutive points always differ in x, so no
// interval is zero.
QPointF catmullRom(const std::array<QPointF, 4> &p, double fraction)
{
    const auto interval = [](const QPointF &a, const QPointF &b) {
        return std::sqrt(std::hypot(b.x() - a.x(), b.y() - a.y()));
    };
    const double t0 = 0;
    const double t1 = t0 + interval(p[0], p[1]);
    const double t2 = t1 + interval(p[1], p[2]);
    const double t3 = t2 + interval(p[2], p[3]);
    const double t = t1 + fraction * (t2 - t1);
    const auto lerp = [t](const QPointF &a, const QPointF &b, double ta, double tb) {
        return a * ((tb - t) / (tb - ta)) + b * ((t - ta) / (tb - ta));
    };
    const QPointF a1 = lerp(p[0], p[1], t0, t1);
    const QPointF a2 = lerp(p[1], p[2], t1, t2);
    const QPointF a3 = lerp(p[2], p[3], t2, t3);
    const QPointF b1 = lerp(a1, a2, t0, t2);
    const QPointF b2 = lerp(a2, a3, t1, t3);
    return lerp(b1, b2, t1, t2);
}

} // namespace

ValueAxis wholeNumberAxis(double peak)
{
    const double top = std::max(peak, 0.0);
    for (double magnitude = 1;; magnitude *= 10) {
        for (const double multiple : { 1.0, 2.0, 5.0 }) {
            const double step = multiple * magnitude;
            const double intervals = std::floor(top / step) + 1;
            if (intervals <= maximumIntervals)
                return { intervals * step, int(intervals) + 1 };
        }
    }
}

QList<QPointF> smoothCurve(const QList<QPointF> &points, int samplesPerSegment)
{
    if (points.size() < 2)
        return points;
    // The spline bends by distances, so the points are measured on a square of days by values; otherwise
    // scores in the hundreds would dwarf the day steps.
    double highest = 1;
    for (const QPointF &point : points)
        highest = std::max(highest, std::abs(point.y()));
    const double xScale = 1.0 / double(points.size() - 1);
    const double yScale = 1.0 / highest;
    QList<QPointF> scaled;
    scaled.reserve(points.size() + 2);
    for (const QPointF &point : points)
        scaled.append({ point.x() * xScale, point.y() * yScale });
    // Mirrored end points give the first and last gaps a tangent without a repeated point.
    scaled.prepend(scaled[0] * 2 - scaled[1]);
    scaled.append(scaled.last() * 2 - scaled[scaled.size() - 2]);

    QList<QPointF> curve;
    curve.reserve((points.size() - 1) * samplesPerSegment + 1);
    for (qsizetype gap = 0; gap + 1 < points.size(); ++gap) {
        curve.append(points[gap]);
        const std::array<QPointF, 4> controls { scaled[gap], scaled[gap + 1], scaled[gap + 2],
            scaled[gap + 3] };
        for (int sample = 1; sample < samplesPerSegment; ++sample) {
            const QPointF at = catmullRom(controls, double(sample) / samplesPerSegment);
            // A score is never negative, even where the line swings below a zero day.
            curve.append({ at.x() / xScale, std::max(0.0, at.y() / yScale) });
        }
    }
    curve.append(points.last());
    return curve;
}

QList<int> labelledDays(int dayCount, int range)
{
    const int stride = range == 30 ? 5 : 1;
    QList<int> days;
    for (int day = 0; day < dayCount; day += stride)
        days.append(day);
    return days;
}

} // namespace StatisticsChartScale
