#include "core/ExactDecimal.h"

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isDigit);
}

// Compares two non-negative magnitudes held as normalised digit texts.
std::strong_ordering compareMagnitudes(const QString &leftWhole, const QString &leftFraction,
    const QString &rightWhole, const QString &rightFraction)
{
    if (leftWhole.size() != rightWhole.size())
        return leftWhole.size() <=> rightWhole.size();
    if (const int whole = leftWhole.compare(rightWhole); whole != 0)
        return whole <=> 0;
    // Without trailing zeros, a plain text comparison orders fractions correctly ("5" > "4999").
    return leftFraction.compare(rightFraction) <=> 0;
}

} // namespace

std::optional<ExactDecimal> ExactDecimal::parse(QStringView text)
{
    ExactDecimal number;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        number.m_negative = text.front() == u'-';
        text = text.mid(1);
    }
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    if (!allDigits(whole) || !allDigits(fraction))
        return std::nullopt;

    qsizetype firstSignificant = 0;
    while (firstSignificant < whole.size() && whole[firstSignificant] == u'0')
        ++firstSignificant;
    number.m_whole = whole.mid(firstSignificant).toString();
    qsizetype fractionLength = fraction.size();
    while (fractionLength > 0 && fraction[fractionLength - 1] == u'0')
        --fractionLength;
    number.m_fraction = fraction.left(fractionLength).toString();
    if (number.m_whole.isEmpty() && number.m_fraction.isEmpty())
        number.m_negative = false;
    return number;
}

std::optional<qint64> ExactDecimal::truncatedHundredths() const
{
    const QString digits = m_whole + m_fraction.left(2).leftJustified(2, u'0');
    qint64 hundredths = 0;
    for (const QChar digit : digits) {
        if (__builtin_mul_overflow(hundredths, 10, &hundredths)
            || __builtin_add_overflow(hundredths, digit.unicode() - u'0', &hundredths))
            return std::nullopt;
    }
    return m_negative ? -hundredths : hundredths;
}

QString ExactDecimal::toString() const
{
    QString text = m_negative ? QStringLiteral("-") : QString();
    text += m_whole.isEmpty() ? QStringLiteral("0") : m_whole;
    if (!m_fraction.isEmpty())
        text += u'.' + m_fraction;
    return text;
}

std::strong_ordering operator<=>(const ExactDecimal &left, const ExactDecimal &right)
{
    if (left.m_negative != right.m_negative)
        return left.m_negative ? std::strong_ordering::less : std::strong_ordering::greater;
    const auto magnitudes = compareMagnitudes(left.m_whole, left.m_fraction, right.m_whole, right.m_fraction);
    return left.m_negative ? 0 <=> magnitudes : magnitudes;
}
