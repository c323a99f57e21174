#include "session/WheelProbabilityEngine.h"

#include <algorithm>
#include <cmath>

namespace WheelProbabilityEngine {

namespace {

// A recent draw always keeps part of its weight, so discounting alone never takes an item off the wheel.
constexpr double strongestDiscount = 0.95;
constexpr double smallestFactor = 0.05;
// Just below 1, so a roll at the top end still lands inside the last interval.
constexpr double largestRoll = 0.999999999;

double clampedStrength(double strength)
{
    if (std::isnan(strength))
        return 0;
    return std::clamp(strength, 0.0, strongestDiscount);
}

double clampedRoll(double roll)
{
    if (std::isnan(roll) || roll < 0)
        return 0;
    return std::min(roll, largestRoll);
}

} // namespace

QString excludedLatestLabel()
{
    return QStringLiteral("本轮不可连续抽中");
}

QString recentlyDrawnLabel()
{
    return QStringLiteral("近期项目 · 概率已降低");
}

QList<WeightedWheelItem> weightedItems(const QList<WheelItem> &items, const QList<QUuid> &recentHistory,
    double discountStrength, qint64 recentWindow)
{
    const double strength = clampedStrength(discountStrength);
    QList<WeightedWheelItem> weighted;
    weighted.reserve(items.size());
    for (const WheelItem &item : items) {
        const double base = item.weight >= 0 ? item.weight : 0.0;
        const qsizetype position = recentHistory.indexOf(item.id);
        if (position == 0) {
            weighted.append({ item, 0.0, excludedLatestLabel() });
        } else if (position > 0 && position < recentWindow) {
            const double factor
                = std::max(smallestFactor, 1.0 - strength / static_cast<double>(position + 1));
            weighted.append({ item, factor * base, recentlyDrawnLabel() });
        } else {
            weighted.append({ item, base, std::nullopt });
        }
    }
    return weighted;
}

QList<WeightedWheelItem> eligibleItems(const QList<WeightedWheelItem> &weighted)
{
    QList<WeightedWheelItem> eligible;
    eligible.reserve(weighted.size());
    for (const WeightedWheelItem &entry : weighted) {
        if (entry.effectiveWeight > 0)
            eligible.append(entry);
    }
    return eligible;
}

std::optional<WeightedWheelItem> choose(const QList<WeightedWheelItem> &weighted, double unitRoll)
{
    // Only positive weights make up the intervals that are walked below, so only they make up the total;
    // a stray negative entry must not shrink the range and starve the entries after it.
    double total = 0;
    for (const WeightedWheelItem &entry : weighted) {
        if (entry.effectiveWeight > 0)
            total += entry.effectiveWeight;
    }
    if (!(total > 0))
        return std::nullopt;

    double target = clampedRoll(unitRoll) * total;
    const WeightedWheelItem *lastPositive = nullptr;
    for (const WeightedWheelItem &entry : weighted) {
        if (!(entry.effectiveWeight > 0))
            continue;
        if (target < entry.effectiveWeight)
            return entry;
        target -= entry.effectiveWeight;
        lastPositive = &entry;
    }
    // Rounding can leave the target just past the last interval.
    return *lastPositive;
}

QList<QUuid> historyByRecordingSelection(const QUuid &selection, const QList<QUuid> &history, qint64 limit)
{
    const qsizetype kept = static_cast<qsizetype>(std::max<qint64>(limit, 1));
    QList<QUuid> recorded;
    recorded.reserve(std::min(kept, history.size() + 1));
    recorded.append(selection);
    for (const QUuid &id : history) {
        if (recorded.size() >= kept)
            break;
        if (id != selection)
            recorded.append(id);
    }
    return recorded;
}

} // namespace WheelProbabilityEngine
