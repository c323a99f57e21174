#include "core/JsonReader.h"

JsonReader::JsonReader(const QJsonValue &value)
{
    if (value.isObject())
        m_object = value.toObject();
    else
        m_error = QStringLiteral("expected an object");
}

void JsonReader::fail(QLatin1StringView key, const QString &reason)
{
    if (ok())
        m_error = QStringLiteral("“%1”: %2").arg(key, reason);
}
