#pragma once

#include <QList>
#include <optional>

// The percentages shown beside the wheel items in the settings. For display only: the draw itself
// works on the effective weights of the probability engine.
namespace WeightNormalizer {

// One entry per weight, in order, each a whole number of tenths of a percent, the tenths adding up to
// exactly 1000. A weight that is negative, not a number or infinite counts as 0. None when the list is
// empty or no weight is above 0.
std::optional<QList<double>> normalizeToHundred(const QList<double> &weights);

} // namespace WeightNormalizer
