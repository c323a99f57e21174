#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <optional>
#include <vector>

// A release or build number made of dot-separated decimal components ("2.1", "2.10.3", "57").
// Components compare numerically and missing trailing components count as zero, so 2.1 equals 2.1.0.
class VersionNumber
{
public:
    // Accepts only digits and single dots between them: no signs, spaces, suffixes or empty parts.
    static std::optional<VersionNumber> parse(QStringView text);

    QString toString() const;

    friend std::strong_ordering operator<=>(const VersionNumber &left, const VersionNumber &right);
    friend bool operator==(const VersionNumber &left, const VersionNumber &right)
    {
        return (left <=> right) == std::strong_ordering::equal;
    }

private:
    explicit VersionNumber(std::vector<quint32> components);

    std::vector<quint32> m_components;
};
