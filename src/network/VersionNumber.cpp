#include "network/VersionNumber.h"

#include <QStringList>
#include <algorithm>

namespace {

// Bounds that keep every component inside 32 bits and a hostile text from growing without limit.
constexpr qsizetype maximumComponentDigits = 9;
constexpr std::size_t maximumComponentCount = 8;

} // namespace

VersionNumber::VersionNumber(std::vector<quint32> components)
    : m_components(std::move(components))
{ }

std::optional<VersionNumber> VersionNumber::parse(QStringView text)
{
    std::vector<quint32> components;
    for (const QStringView part : text.split(u'.')) {
        if (part.isEmpty() || part.size() > maximumComponentDigits
            || components.size() == maximumComponentCount)
            return std::nullopt;
        quint32 value = 0;
        for (const QChar character : part) {
            if (character < u'0' || character > u'9')
                return std::nullopt;
            value = value * 10 + static_cast<quint32>(character.unicode() - u'0');
        }
        components.push_back(value);
    }
    return VersionNumber(std::move(components));
}

QString VersionNumber::toString() const
{
    QStringList parts;
    for (const quint32 component : m_components)
        parts.append(QString::number(component));
    return parts.join(u'.');
}

std::strong_ordering operator<=>(const VersionNumber &left, const VersionNumber &right)
{
    const std::size_t count = std::max(left.m_components.size(), right.m_components.size());
    for (std::size_t i = 0; i < count; ++i) {
        const quint32 a = i < left.m_components.size() ? left.m_components[i] : 0;
        const quint32 b = i < right.m_components.size() ? right.m_components[i] : 0;
        if (a != b)
            return a <=> b;
    }
    return std::strong_ordering::equal;
}
