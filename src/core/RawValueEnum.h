#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

// Enumerations stored or shown by their text raw value. Each one specialises RawValues with the
// texts in case order; the cases of the enumeration must be 0, 1, 2, ... in the same order.
template<typename Enum> struct RawValues;

template<typename Enum> QString rawValue(Enum value)
{
    return QString::fromLatin1(RawValues<Enum>::texts[static_cast<std::size_t>(value)]);
}

template<typename Enum> std::optional<Enum> fromRawValue(QStringView text)
{
    const auto &texts = RawValues<Enum>::texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (text == QLatin1StringView(texts[i]))
            return static_cast<Enum>(i);
    }
    return std::nullopt;
}

template<typename Enum> constexpr auto allCases()
{
    std::array<Enum, RawValues<Enum>::texts.size()> cases {};
    for (std::size_t i = 0; i < cases.size(); ++i)
        cases[i] = static_cast<Enum>(i);
    return cases;
}
