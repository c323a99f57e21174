#pragma once

#include "core/WheelItem.h"

#include <optional>

// One wheel entry as prepared for a single draw.
struct WeightedWheelItem
{
    WheelItem item;
    double effectiveWeight = 0;
    std::optional<QString> discountLabel;

    QUuid id() const { return item.id; }

    friend bool operator==(const WeightedWheelItem &, const WeightedWheelItem &) = default;
};
