#include "network/VersionNumber.h"

#include <QList>
#include <algorithm>

namespace {

// Keeps a hostile feed from handing over a text without limit; real numbers are far shorter.
constexpr qsizetype maximumLength = 64;

enum class PartKind { number, text, dot };

struct Part
{
    PartKind kind;
    QStringView text;
};

bool isDigit(QChar character)
{
    return character >= u'0' && character <= u'9';
}

PartKind kindOf(QChar character)
{
    if (character == u'.')
        return PartKind::dot;
    return isDigit(character) ? PartKind::number : PartKind::text;
}

// Runs of digits and of other characters; each dot a part of its own.
QList<Part> partsOf(QStringView text)
{
    QList<Part> parts;
    qsizetype start = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const PartKind kind = kindOf(text[start]);
        if (i == text.size() || kind == PartKind::dot || kindOf(text[i]) != kind) {
            parts.append({ kind, text.sliced(start, i - start) });
            start = i;
        }
    }
    return parts;
}

std::strong_ordering compareNumbers(QStringView left, QStringView right)
{
    while (left.size() > 1 && left.front() == u'0')
        left = left.sliced(1);
    while (right.size() > 1 && right.front() == u'0')
        right = right.sliced(1);
    if (left.size() != right.size())
        return left.size() <=> right.size();
    return left.compare(right) <=> 0;
}

bool isZeroOrDot(const Part &part)
{
    return part.kind == PartKind::dot
        || (part.kind == PartKind::number
            && std::all_of(part.text.begin(), part.text.end(), [](QChar c) { return c == u'0'; }));
}

} // namespace

VersionNumber::VersionNumber(QString text)
    : m_text(std::move(text))
{ }

std::optional<VersionNumber> VersionNumber::parse(QStringView text)
{
    if (text.isEmpty() || text.size() > maximumLength)
        return std::nullopt;
    for (const QStringView part : text.split(u'.')) {
        if (part.isEmpty() || !std::all_of(part.begin(), part.end(), isDigit))
            return std::nullopt;
    }
    return VersionNumber(text.toString());
}

std::optional<VersionNumber> VersionNumber::parseBuild(QStringView text)
{
    if (text.isEmpty() || text.size() > maximumLength || !isDigit(text.front())
        || std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace() || !c.isPrint(); }))
        return std::nullopt;
    return VersionNumber(text.toString());
}

std::strong_ordering operator<=>(const VersionNumber &left, const VersionNumber &right)
{
    const QList<Part> a = partsOf(left.m_text);
    const QList<Part> b = partsOf(right.m_text);
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (a[i].kind != b[i].kind) {
            // Text marks a pre-release: anything else in its place is newer; a number beats a dot.
            if (a[i].kind == PartKind::text || b[i].kind == PartKind::text)
                return a[i].kind == PartKind::text ? std::strong_ordering::less
                                                   : std::strong_ordering::greater;
            return a[i].kind == PartKind::number ? std::strong_ordering::greater : std::strong_ordering::less;
        }
        const std::strong_ordering order = a[i].kind == PartKind::number
            ? compareNumbers(a[i].text, b[i].text)
            : a[i].kind == PartKind::text ? a[i].text.compare(b[i].text) <=> 0
                                          : std::strong_ordering::equal;
        if (order != std::strong_ordering::equal)
            return order;
    }
    if (a.size() == b.size())
        return std::strong_ordering::equal;
    // The longer one goes on with text ("1.0b1" after "1.0"): a pre-release, older; with zeros only, the
    // same; with more numbers, newer.
    const QList<Part> &longer = a.size() > b.size() ? a : b;
    const std::strong_ordering longerIs = longer[common].kind == PartKind::text ? std::strong_ordering::less
        : std::all_of(longer.begin() + common, longer.end(), isZeroOrDot)       ? std::strong_ordering::equal
                                                                          : std::strong_ordering::greater;
    if (longerIs == std::strong_ordering::equal)
        return longerIs;
    return (a.size() > b.size()) == (longerIs == std::strong_ordering::greater)
        ? std::strong_ordering::greater
        : std::strong_ordering::less;
}
