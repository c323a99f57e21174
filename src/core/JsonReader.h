#pragma once

#include "core/JsonValue.h"

// Reads the keys of one JSON object. The first failure is remembered and later reads return
// empty values, so a decoder reads every field in turn and checks the outcome once at the end.
class JsonReader
{
public:
    explicit JsonReader(const QJsonValue &value);

    // A missing key or a null fails.
    template<typename T> T required(QLatin1StringView key)
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined() || value.isNull()) {
            fail(key, QStringLiteral("missing"));
            return T {};
        }
        return convert<T>(key, value).value_or(T {});
    }

    // A missing key or a null gives no value; a present invalid value fails.
    template<typename T> std::optional<T> optional(QLatin1StringView key)
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined() || value.isNull())
            return std::nullopt;
        return convert<T>(key, value);
    }

    bool ok() const { return m_error.isEmpty(); }

    // The decoded record, or the first failure.
    template<typename T> Result<T> finish(T record) const
    {
        if (!ok())
            return Error { m_error };
        return record;
    }

private:
    template<typename T> std::optional<T> convert(QLatin1StringView key, const QJsonValue &value)
    {
        if (!ok())
            return std::nullopt;
        Result<T> result = JsonValue::Codec<T>::decode(value);
        if (!result) {
            fail(key, result.error());
            return std::nullopt;
        }
        return std::move(result).value();
    }

    void fail(QLatin1StringView key, const QString &reason);

    QJsonObject m_object;
    QString m_error;
};
