#include "FuzzInvariants.h"
#include "InvariantCheck.h"
#include "core/Color.h"

#include <QRegularExpression>
#include <cstring>

namespace FuzzInvariants {

namespace {

// The colour an all-ASCII text must give, worked out the plain way.
std::optional<QColor> expectedAsciiColor(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return std::nullopt;
    }
    static const QRegularExpression trimmedPattern(
        QStringLiteral("^[^0-9A-Za-z]*(.*?)[^0-9A-Za-z]*$"), QRegularExpression::DotMatchesEverythingOption);
    const QString trimmed = trimmedPattern.match(text).captured(1);
    static const QRegularExpression numberPattern(QStringLiteral("^(?:0[xX](?=[0-9A-Fa-f]))?([0-9A-Fa-f]*)"));
    QStringView digits = numberPattern.match(trimmed).capturedView(1);
    while (digits.startsWith(u'0'))
        digits = digits.sliced(1);
    // Beyond 16 significant digits the number saturates.
    bool ok = true;
    const quint64 value = digits.isEmpty() ? 0
        : digits.size() > 16               ? ~quint64(0)
                                           : digits.toULongLong(&ok, 16);
    if (!ok)
        return std::nullopt;
    const auto byteAt = [value](int shift) { return int((value >> shift) & 0xFF); };
    // In ASCII only CR LF joins two characters into one user-perceived character.
    if (trimmed.size() - trimmed.count(QStringLiteral("\r\n")) == 8)
        return QColor(byteAt(24), byteAt(16), byteAt(8), byteAt(0));
    return QColor(byteAt(16), byteAt(8), byteAt(0), 255);
}

Status checkText(const QString &text)
{
    const QColor color = colorFromHex(text);
    EXPECT_OR_FAIL(color.isValid(), text);
    if (const std::optional<QColor> expected = expectedAsciiColor(text))
        EXPECT_OR_FAIL(color == *expected, text << color << *expected);
    return {};
}

} // namespace

Status colorHex(QByteArrayView input)
{
    RETURN_IF_FAILED(checkText(QString::fromUtf8(input)));
    // Raw UTF-16 reaches what UTF-8 cannot carry, such as unpaired surrogates.
    QString utf16(input.size() / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), input.data(), size_t(utf16.size()) * 2);
    RETURN_IF_FAILED(checkText(utf16));
    return {};
}

} // namespace FuzzInvariants
