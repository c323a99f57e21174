#include "session/WeightNormalizer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace WeightNormalizer {

namespace {

double sumInOrder(const QList<double> &values)
{
    return std::accumulate(values.cbegin(), values.cend(), 0.0);
}

} // namespace

std::optional<QList<double>> normalizeToHundred(const QList<double> &weights)
{
    if (weights.isEmpty())
        return std::nullopt;
    QList<double> usable;
    usable.reserve(weights.size());
    for (const double weight : weights)
        usable.append(std::isfinite(weight) && weight >= 0 ? weight : 0.0);
    double total = sumInOrder(usable);
    if (!(total > 0))
        return std::nullopt;
    // Huge weights can add up to infinity, which would make every share 0 and hand the tenths out
    // round-robin, zero weights included. Relative to the largest weight the sum stays finite.
    if (!std::isfinite(total)) {
        const double largest = *std::max_element(usable.cbegin(), usable.cend());
        for (double &weight : usable)
            weight /= largest;
        total = sumInOrder(usable);
    }

    const qsizetype count = usable.size();
    QList<double> shares(count);
    QList<int> tenths(count);
    int handedOut = 0;
    for (qsizetype i = 0; i < count; ++i) {
        // Dividing first keeps the share finite for weights near the top of the double range.
        shares[i] = usable[i] / total * 1000.0;
        tenths[i] = int(std::floor(shares[i]));
        handedOut += tenths[i];
    }

    // Largest remainders first; the stable sort leaves equal ones in index order.
    QList<qsizetype> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&shares](qsizetype a, qsizetype b) {
        return shares[a] - std::floor(shares[a]) > shares[b] - std::floor(shares[b]);
    });
    const int remainder = 1000 - handedOut;
    for (int step = 0; step < remainder; ++step)
        ++tenths[order[step % count]];

    QList<double> percentages;
    percentages.reserve(count);
    for (const int entry : tenths)
        percentages.append(entry / 10.0);
    return percentages;
}

} // namespace WeightNormalizer
