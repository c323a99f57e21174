#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <optional>

// A release or build number as feeds write them: "2.1", "2.10.3", a date-time build "20260714010203", a
// lettered build "830b". It is compared as the update framework compares versions: part by part, runs of
// digits as numbers of any length, other runs of characters as text; a number is newer than text in its
// place ("1.0" after "1.0b1", "830" after "830b"), and missing trailing zeros count as zero (2.1 equals
// 2.1.0).
class VersionNumber
{
public:
    // A release number: digits and single dots between them; no signs, spaces, suffixes or empty parts.
    static std::optional<VersionNumber> parse(QStringView text);
    // A build as feeds write it: a digit first, then anything but blanks and control characters.
    static std::optional<VersionNumber> parseBuild(QStringView text);

    // As written.
    const QString &toString() const { return m_text; }

    friend std::strong_ordering operator<=>(const VersionNumber &left, const VersionNumber &right);
    friend bool operator==(const VersionNumber &left, const VersionNumber &right)
    {
        return (left <=> right) == std::strong_ordering::equal;
    }

private:
    explicit VersionNumber(QString text);

    QString m_text;
};
