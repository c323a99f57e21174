#include "core/Color.h"

#include <QTextBoundaryFinder>
#include <limits>

namespace {

bool isLetterMarkOrDigit(char32_t codePoint)
{
    return QChar::isLetterOrNumber(codePoint) || QChar::isMark(codePoint);
}

// Strips, code point by code point, everything but letters, marks and digits from both ends.
QStringView trimmedToLettersAndDigits(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size()) {
        const bool pair
            = text[begin].isHighSurrogate() && begin + 1 < text.size() && text[begin + 1].isLowSurrogate();
        const char32_t codePoint
            = pair ? QChar::surrogateToUcs4(text[begin], text[begin + 1]) : text[begin].unicode();
        if (isLetterMarkOrDigit(codePoint))
            break;
        begin += pair ? 2 : 1;
    }
    qsizetype end = text.size();
    while (end > begin) {
        const bool pair
            = text[end - 1].isLowSurrogate() && end - 2 >= begin && text[end - 2].isHighSurrogate();
        const char32_t codePoint
            = pair ? QChar::surrogateToUcs4(text[end - 2], text[end - 1]) : text[end - 1].unicode();
        if (isLetterMarkOrDigit(codePoint))
            break;
        end -= pair ? 2 : 1;
    }
    return text.sliced(begin, end - begin);
}

int hexDigitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// Reads an optional "0x" prefix and then every hexadecimal digit that follows; stops at the first
// other character. Too large a number saturates; no digit at all reads as 0.
quint64 leadingHexNumber(QStringView text)
{
    qsizetype position = 0;
    if (text.size() >= 3 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')
        && hexDigitValue(text[2]) >= 0)
        position = 2;
    quint64 value = 0;
    for (; position < text.size(); ++position) {
        const int digit = hexDigitValue(text[position]);
        if (digit < 0)
            break;
        if (value > (std::numeric_limits<quint64>::max() >> 4))
            value = std::numeric_limits<quint64>::max();
        else
            value = (value << 4) | quint64(digit);
    }
    return value;
}

qsizetype graphemeCount(QStringView text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

} // namespace

QColor colorFromHex(QStringView hex)
{
    const QStringView trimmed = trimmedToLettersAndDigits(hex);
    const quint64 value = leadingHexNumber(trimmed);
    const auto byteAt = [value](int shift) { return int((value >> shift) & 0xFF); };
    if (graphemeCount(trimmed) == 8)
        return QColor(byteAt(24), byteAt(16), byteAt(8), byteAt(0));
    return QColor(byteAt(16), byteAt(8), byteAt(0), 255);
}
