#pragma once

#include "core/AppLanguage.h"
#include "core/DonationCurrency.h"
#include "core/ExactDecimal.h"

#include <QStringView>
#include <optional>

// The support section's amount: how typed text is read and which amounts a currency takes.
namespace DonationAmount {

// The leading number of the text, a decimal comma taken as a point and full-width characters as their
// ASCII forms: blanks, an optional sign, digits and an optional "." with more digits; whatever follows is
// ignored ("12 coffees" is 12, "5,5" is 5.5, "1,000" is 1, "1e1" is 1). None when the text does not begin
// with a number.
std::optional<ExactDecimal> read(QStringView typed);

// The interface language decides the currency: yuan in Chinese, dollars in English.
DonationCurrency currencyFor(AppLanguage language);

// Both bounds are accepted.
ExactDecimal minimum(DonationCurrency currency);
ExactDecimal maximum(DonationCurrency currency);

} // namespace DonationAmount
