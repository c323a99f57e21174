#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The text of a wheel item's weight as the user edits it in the settings. Numbers are read and written
// in the C locale whatever the user's locale, with a decimal comma accepted on input.
namespace ProbabilityTextCodec {

// The weight a typed text holds: one finite number that is not negative, surrounded by nothing but
// whitespace; none for anything else. "-0" is accepted and gives negative zero.
std::optional<double> parse(QStringView text);

// At most two decimals, rounded as "%.2f" rounds, without trailing zeros or a trailing point.
QString format(double weight);

} // namespace ProbabilityTextCodec
