#include "core/JsonValue.h"

#include <cmath>

namespace JsonValue {

Result<QString> toText(const QJsonValue &value)
{
    if (!value.isString())
        return Error { QStringLiteral("expected a text") };
    return value.toString();
}

Result<double> toReal(const QJsonValue &value)
{
    if (!value.isDouble())
        return Error { QStringLiteral("expected a number") };
    return value.toDouble();
}

Result<qint64> toInteger(const QJsonValue &value)
{
    if (!value.isDouble())
        return Error { QStringLiteral("expected a whole number") };
    // toInteger() falls back to its argument when the number is not whole or does not fit in
    // 64 bits; two different fallbacks tell that case from a real value.
    const qint64 low = value.toInteger(0);
    const qint64 high = value.toInteger(1);
    if (low != high)
        return Error { QStringLiteral("expected a whole number") };
    return low;
}

Result<bool> toBoolean(const QJsonValue &value)
{
    if (!value.isBool())
        return Error { QStringLiteral("expected true or false") };
    return value.toBool();
}

Result<QUuid> toUuid(const QJsonValue &value)
{
    if (!value.isString())
        return Error { QStringLiteral("expected a UUID text") };
    if (const auto id = Uuid::parse(value.toString()))
        return *id;
    return Error { QStringLiteral("“%1” is not a UUID").arg(value.toString()) };
}

Status checkFinite(const QJsonValue &value)
{
    if (value.isDouble() && !std::isfinite(value.toDouble()))
        return Error { QStringLiteral("a number is not finite") };
    if (value.isArray()) {
        for (const QJsonValue &element : value.toArray()) {
            if (Status status = checkFinite(element); !status)
                return status;
        }
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (Status status = checkFinite(it.value()); !status)
                return Error { QStringLiteral("“%1”: %2").arg(it.key(), status.error()) };
        }
    }
    return {};
}

} // namespace JsonValue
