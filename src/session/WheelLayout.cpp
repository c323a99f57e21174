#include "session/WheelLayout.h"

#include <QLineF>
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
QString percentText(double share)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.0f%%", share);
    return QString::fromLatin1(text);
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
    layout.centre = centre;
    layout.labelRadius = labelRadius;
    layout.rimRadius = WheelSlice::radius(size);
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

QList<qsizetype> WheelLayout::fittingLabelForms(const QList<QList<QSizeF>> &formSizes, double clearTop) const
{
    // Room kept between two labels, and between a label and the pointer.
    constexpr double labelGap = 4;
    QList<qsizetype> forms(entries.size(), 0);
    const auto size = [&](qsizetype entry) { return formSizes[entry][forms[entry]]; };
    // The label comes nearest the rim where a corner of its box points outwards, and nearest the pointer
    // when it stands straight under it.
    const auto fitsAlone = [&](qsizetype entry) {
        const QSizeF box = size(entry);
        return box.isEmpty()
            || (labelRadius + std::hypot(box.width() / 2, box.height() / 2) <= rimRadius
                && centre.y() - labelRadius - box.height() / 2 - labelGap >= clearTop);
    };
    // Two upright labels whose centres turn about the wheel's centre keep their distance; they can touch
    // at some turn unless that distance is at least the diagonal of their boxes' half sizes added.
    const auto mayTouch = [&](qsizetype first, qsizetype second) {
        const QSizeF a = size(first);
        const QSizeF b = size(second);
        if (a.isEmpty() || b.isEmpty())
            return false;
        const double apart = QLineF(entries[first].labelCentre, entries[second].labelCentre).length();
        return apart
            < std::hypot((a.width() + b.width()) / 2 + labelGap, (a.height() + b.height()) / 2 + labelGap);
    };
    const auto giveWay = [&](qsizetype entry) {
        if (forms[entry] + 1 >= formSizes[entry].size())
            return false;
        ++forms[entry];
        return true;
    };
    for (qsizetype entry = 0; entry < entries.size(); ++entry) {
        while (!fitsAlone(entry) && giveWay(entry)) { }
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (qsizetype first = 0; first < entries.size() && !changed; ++first) {
            for (qsizetype second = first + 1; second < entries.size() && !changed; ++second) {
                if (!mayTouch(first, second))
                    continue;
                const double firstShare = entries[first].currentShare;
                const double secondShare = entries[second].currentShare;
                const bool firstGives = forms[first] != forms[second] ? forms[first] < forms[second]
                                                                      : firstShare <= secondShare;
                const bool secondGives
                    = forms[first] != forms[second] ? !firstGives : secondShare <= firstShare;
                if (firstGives)
                    changed = giveWay(first);
                if (secondGives)
                    changed = giveWay(second) || changed;
            }
        }
    }
    // A run of equal slices gives way pair by pair, and its last label may find its neighbour already
    // gone; it takes the form of the others. A shorter form is never larger, so nothing touches anew.
    for (qsizetype entry = 0; entry < entries.size(); ++entry) {
        for (qsizetype other = 0; other < entries.size(); ++other) {
            if (entries[other].currentShare == entries[entry].currentShare)
                forms[entry] = std::max(forms[entry], forms[other]);
        }
    }
    return forms;
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
    return localized(language, QStringLiteral("本轮 %1"), QStringLiteral("Current %1"))
        .arg(percentText(share));
}

QString WheelLayout::baseShareText(double share, AppLanguage language)
{
    return localized(language, QStringLiteral("基础 %1"), QStringLiteral("Base %1")).arg(percentText(share));
}
