#pragma once

#include "core/WeightedWheelItem.h"

#include <QList>
#include <QVariantList>

// The wheel's entries as plain maps, the form in which the views pass them from the controller to the
// wheel graphic. Keys: "id", "title", "symbol", "weight", "healthScore", "effectiveWeight" and, for a
// discounted entry only, "discountLabel".
namespace WheelEntryVariant {

QVariantList fromEntries(const QList<WeightedWheelItem> &entries);

// Maps without a readable id or effective weight are skipped.
QList<WeightedWheelItem> toEntries(const QVariantList &maps);

} // namespace WheelEntryVariant
