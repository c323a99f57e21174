#include "storage/CsvNumber.h"

#include <QtNumeric>
#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace CsvNumber {

std::optional<qint64> parseInteger(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a negative number, whose range reaches one further than the positive one.
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (qMulOverflow(value, qint64(10), &value) || qSubOverflow(value, qint64(c - u'0'), &value))
            return std::nullopt;
    }
    if (negative)
        return value;
    if (value == std::numeric_limits<qint64>::min())
        return std::nullopt;
    return -value;
}

std::optional<qint64> parseLogInteger(QStringView text)
{
    if (const std::optional<qint64> plain = parseInteger(text))
        return plain;
    const qsizetype mark = std::max(text.indexOf(u'.'), text.indexOf(u','));
    if (mark < 0)
        return std::nullopt;
    const QStringView fraction = text.sliced(mark + 1);
    // "1,000" is a thousand where the comma groups digits, so a decimal comma takes one or two zeros.
    const bool comma = text[mark] == u',';
    if (fraction.isEmpty() || (comma && fraction.size() > 2)
        || !std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c == u'0'; }))
        return std::nullopt;
    return parseInteger(text.first(mark));
}

qint64 integerOrZero(QStringView text)
{
    return parseLogInteger(text).value_or(0);
}

bool isTrue(QStringView text)
{
    return text.compare(u"true", Qt::CaseInsensitive) == 0 || text == u"1";
}

qint64 saturatingAdd(qint64 sum, qint64 value)
{
    qint64 result = 0;
    if (qAddOverflow(sum, value, &result))
        return value > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return result;
}

QString real(double value)
{
    // The largest double has 309 integer digits; with sign, point and decimals this is enough.
    std::array<char, 320> digits {};
    const auto result
        = std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, 3);
    return QString::fromLatin1(digits.data(), result.ptr - digits.data());
}

} // namespace CsvNumber
