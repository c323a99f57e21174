#include "session/WheelLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr double firstSliceStart = -90;
// Labels sit on a ring a little wider than the slices.
constexpr double labelRingInset = 14;
constexpr double labelRadiusFactor = 0.64;

double nonNegative(double weight)
{
    return weight >= 0 ? weight : 0.0;
}

// A share as a whole percent, rounded the way printf's "%.0f" rounds.
QString percentText(const char *format, double share)
{
    char text[64];
    std::snprintf(text, sizeof text, format, share);
    return QString::fromUtf8(text);
}

} // namespace

WheelLayout WheelLayout::compute(const QList<WeightedWheelItem> &items, double baseWeightTotal,
    const QSizeF &size, const QUuid &selectedID, bool showResult)
{
    WheelLayout layout;
    if (items.isEmpty())
        return layout;
    double total = 0;
    for (const WeightedWheelItem &item : items)
        total += item.effectiveWeight;
    const QPointF centre(size.width() / 2, size.height() / 2);
    const double labelRadius
        = labelRadiusFactor * (std::min(size.width(), size.height()) / 2 - labelRingInset);
    double start = firstSliceStart;
    layout.entries.reserve(items.size());
    for (qsizetype index = 0; index < items.size(); ++index) {
        const WeightedWheelItem &item = items[index];
        const double sweep = item.effectiveWeight / total * 360;
        Entry entry;
        entry.slice = { start, start + sweep };
        entry.midpoint = start + sweep / 2;
        const double radians = entry.midpoint * std::numbers::pi / 180;
        entry.labelCentre = centre + QPointF(std::cos(radians), std::sin(radians)) * labelRadius;
        entry.currentShare = 100 * item.effectiveWeight / total;
        entry.baseShare = baseWeightTotal > 0 ? 100 * nonNegative(item.item.weight) / baseWeightTotal : 0.0;
        entry.selected = !selectedID.isNull() && item.id() == selectedID;
        entry.fillOpacity = fillOpacity(index, entry.selected, showResult);
        layout.entries.append(entry);
        start += sweep;
    }
    return layout;
}

double WheelLayout::baseWeightTotal(const QList<WheelItem> &items)
{
    double total = 0;
    for (const WheelItem &item : items)
        total += nonNegative(item.weight);
    return total;
}

double WheelLayout::fillOpacity(qsizetype index, bool selected, bool showResult)
{
    if (selected && showResult)
        return 0.98;
    return 0.88 - 0.07 * double(index % 3);
}

QString WheelLayout::currentShareText(double share, AppLanguage language)
{
    return percentText(language == AppLanguage::chinese ? "本轮 %.0f%%" : "Current %.0f%%", share);
}

QString WheelLayout::baseShareText(double share, AppLanguage language)
{
    return percentText(language == AppLanguage::chinese ? "基础 %.0f%%" : "Base %.0f%%", share);
}
