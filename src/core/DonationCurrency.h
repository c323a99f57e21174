#pragma once

#include "core/RawValueEnum.h"

// The currency of a donation checkout; on the wire as "cny" or "usd".
enum class DonationCurrency { cny, usd };

template<> struct RawValues<DonationCurrency>
{
    static constexpr std::array texts { "cny", "usd" };
};
