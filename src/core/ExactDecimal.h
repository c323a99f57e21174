#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <optional>

// A decimal number held as its digits, so that amounts of money are never rounded by binary
// floating point: 5.555 stays 5.555, and 0.1 + 0.2 questions never arise.
class ExactDecimal
{
public:
    // Zero.
    ExactDecimal() = default;

    // The whole text must be a plain decimal in the C locale: an optional sign, digits, and an optional
    // "." with digits on at least one side of it ("12", "-0.5", "3.", ".25"). No blanks, no grouping,
    // no exponent.
    static std::optional<ExactDecimal> parse(QStringView text);

    // The amount in hundredths, any further fraction dropped towards zero (5.555 gives 555, -0.019
    // gives -1); none when it does not fit in 64 bits.
    std::optional<qint64> truncatedHundredths() const;

    // The shortest plain form: "5.555", "-3", "0.5".
    QString toString() const;

    friend bool operator==(const ExactDecimal &, const ExactDecimal &) = default;
    friend std::strong_ordering operator<=>(const ExactDecimal &left, const ExactDecimal &right);

private:
    bool m_negative = false;
    // Without leading zeros; empty for a whole part of zero.
    QString m_whole;
    // Without trailing zeros; empty for no fraction.
    QString m_fraction;
};
