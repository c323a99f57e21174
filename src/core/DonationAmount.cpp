#include "core/DonationAmount.h"

#include <QString>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

ExactDecimal whole(int value)
{
    return *ExactDecimal::parse(QString::number(value));
}

} // namespace

namespace DonationAmount {

std::optional<ExactDecimal> read(QStringView typed)
{
    // Chinese input methods type full-width digits and points ("１２．５"); their compatibility forms are
    // the ASCII ones.
    const QString text = typed.toString().normalized(QString::NormalizationForm_KC).replace(u',', u'.');
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    const qsizetype start = at;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        ++at;
    qsizetype digits = 0;
    for (; at < text.size() && isAsciiDigit(text[at]); ++at)
        ++digits;
    if (at < text.size() && text[at] == u'.') {
        qsizetype fraction = 0;
        for (qsizetype next = at + 1; next < text.size() && isAsciiDigit(text[next]); ++next)
            ++fraction;
        // A point with no digit on either side is no number.
        if (fraction > 0 || digits > 0)
            at += 1 + fraction;
        digits += fraction;
    }
    if (digits == 0)
        return std::nullopt;
    return ExactDecimal::parse(QStringView(text).sliced(start, at - start));
}

DonationCurrency currencyFor(AppLanguage language)
{
    return language == AppLanguage::english ? DonationCurrency::usd : DonationCurrency::cny;
}

ExactDecimal minimum(DonationCurrency currency)
{
    return whole(currency == DonationCurrency::usd ? 1 : 5);
}

ExactDecimal maximum(DonationCurrency currency)
{
    return whole(currency == DonationCurrency::usd ? 20 : 30);
}

} // namespace DonationAmount
