#pragma once

#include "core/AppLanguage.h"
#include "core/RawValueEnum.h"

// The developer corner's three sections, in the sidebar's order.
enum class DeveloperCornerSection { letter, support, story };

template<> struct RawValues<DeveloperCornerSection>
{
    static constexpr std::array texts { "letter", "support", "story" };
};

// The section's name in the sidebar and as its heading.
inline QString title(DeveloperCornerSection section, AppLanguage language)
{
    switch (section) {
    case DeveloperCornerSection::letter:
        return localized(language, QStringLiteral("给开发者写信"), QStringLiteral("Write to the Developer"));
    case DeveloperCornerSection::support:
        return localized(language, QStringLiteral("给他买杯咖啡"), QStringLiteral("Buy Him a Coffee"));
    case DeveloperCornerSection::story:
        break;
    }
    return localized(language, QStringLiteral("柯帆的由来"), QStringLiteral("Why Quorvane Exists"));
}

// The section's symbol in the sidebar.
inline QString symbol(DeveloperCornerSection section)
{
    static constexpr std::array names { "envelope.open.fill", "cup.and.saucer.fill", "quote.opening" };
    return QString::fromLatin1(names[static_cast<std::size_t>(section)]);
}
