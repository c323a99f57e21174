#include "core/Uuid.h"

namespace Uuid {

namespace {

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

} // namespace

std::optional<QUuid> parse(QStringView text)
{
    if (text.size() != 36)
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != u'-' : !isHexDigit(c))
            return std::nullopt;
    }
    const QUuid id = QUuid::fromString(text);
    if (id.isNull() && text != u"00000000-0000-0000-0000-000000000000")
        return std::nullopt;
    return id;
}

QString upperText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QString lowerText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces);
}

QString newEventID()
{
    return lowerText(QUuid::createUuid());
}

} // namespace Uuid
