#include "session/ProbabilityTextCodec.h"

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

namespace ProbabilityTextCodec {

namespace {

// The application sets the user's locale for the C library, under which strtod may refuse a point.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

} // namespace

std::optional<double> parse(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    std::string ascii;
    ascii.reserve(trimmed.size());
    for (const QChar c : trimmed) {
        const char16_t code = c.unicode();
        // strtod would stop at a NUL and cannot see past it, so a NUL inside the text is refused here.
        if (code == 0 || code > 0x7F)
            return std::nullopt;
        ascii.push_back(code == u',' ? '.' : char(code));
    }
    const locale_t locale = cLocale();
    if (locale == locale_t {})
        return std::nullopt;
    char *end = nullptr;
    // Out of range gives an infinity or a value at or near zero; the checks below decide, not errno.
    const double value = strtod_l(ascii.c_str(), &end, locale);
    if (end != ascii.c_str() + ascii.size() || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

QString format(double weight)
{
    // The largest double has 309 integer digits; with sign, point and two decimals that is 313.
    std::array<char, 320> digits {};
    const auto written
        = std::to_chars(digits.data(), digits.data() + digits.size(), weight, std::chars_format::fixed, 2);
    QString text = QString::fromLatin1(digits.data(), written.ptr - digits.data());
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace ProbabilityTextCodec
