#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Numbers in the log columns, always in the C locale whatever the user's locale.
namespace CsvNumber {

// Strict: an optional sign and one or more ASCII digits within the signed 64-bit range, nothing else.
std::optional<qint64> parseInteger(QStringView text);

// What every reader counts: the parsed integer, or 0 when the text does not parse.
qint64 integerOrZero(QStringView text);

// A hand-edited row may hold a huge number, so sums stop at the 64-bit limits instead of wrapping.
qint64 saturatingAdd(qint64 sum, qint64 value);

// Fixed notation with three decimals and a point, as "%.3f" gives in the C locale.
QString real(double value);

} // namespace CsvNumber
