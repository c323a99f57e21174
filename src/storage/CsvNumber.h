#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Numbers in the log columns, always in the C locale whatever the user's locale.
namespace CsvNumber {

// Strict: an optional sign and one or more ASCII digits within the signed 64-bit range, nothing else.
std::optional<qint64> parseInteger(QStringView text);

// A whole number as parseInteger() reads it, or as spreadsheets save it back with a fraction of zeros
// after a point or a decimal comma ("7.0", "7,00"); anything else does not parse.
std::optional<qint64> parseLogInteger(QStringView text);

// What every reader counts: the parsed whole number, or 0 when the text does not parse.
qint64 integerOrZero(QStringView text);

// A yes of a log column in any form spreadsheets save: "true" in any case, or "1".
bool isTrue(QStringView text);

// A hand-edited row may hold a huge number, so sums stop at the 64-bit limits instead of wrapping.
qint64 saturatingAdd(qint64 sum, qint64 value);

// Fixed notation with three decimals and a point, as "%.3f" gives in the C locale.
QString real(double value);

} // namespace CsvNumber
