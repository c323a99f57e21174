#pragma once

#include "core/WeightedWheelItem.h"
#include "core/WheelItem.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

// Turns the break items and the history of recent draws into the weighted list the wheel shows and
// draws from: the latest draw cannot come up again at once, and the draws just before it come up less
// often. Pure functions of their arguments.
namespace WheelProbabilityEngine {

// The two labels are shown untranslated in every language.
QString excludedLatestLabel();
QString recentlyDrawnLabel();

// One entry per item, in the items' order. `recentHistory` is newest first; position 0 is the latest draw.
QList<WeightedWheelItem> weightedItems(const QList<WheelItem> &items, const QList<QUuid> &recentHistory,
    double discountStrength, qint64 recentWindow);

// The entries with an effective weight above 0, in order.
QList<WeightedWheelItem> eligibleItems(const QList<WeightedWheelItem> &weighted);

// The entry whose cumulative weight interval contains unitRoll × total, walking the positive entries in
// order; none when no entry has a positive weight. The roll is clamped into [0, 1).
std::optional<WeightedWheelItem> choose(const QList<WeightedWheelItem> &weighted, double unitRoll);

// The history with `selection` moved to the front, at most max(limit, 1) entries long.
QList<QUuid> historyByRecordingSelection(const QUuid &selection, const QList<QUuid> &history, qint64 limit);

} // namespace WheelProbabilityEngine
