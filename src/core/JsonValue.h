#pragma once

#include "core/RawValueEnum.h"
#include "core/Result.h"
#include "core/Uuid.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <concepts>
#include <optional>

// Strict conversions between JSON values and the values of our records. A value of the wrong
// JSON type, a fraction in an integer, an unknown enumeration text or a bad UUID is an Error.
namespace JsonValue {

Result<QString> toText(const QJsonValue &value);
Result<double> toReal(const QJsonValue &value);
Result<qint64> toInteger(const QJsonValue &value);
Result<bool> toBoolean(const QJsonValue &value);
Result<QUuid> toUuid(const QJsonValue &value);

template<typename T>
concept JsonRecord = requires(const QJsonValue &value, const T &record)
{
    {
        T::fromJson(value)
        } -> std::same_as<Result<T>>;
    {
        record.toJson()
        } -> std::same_as<QJsonObject>;
};

template<typename T>
concept RawValueEnumeration = std::is_enum_v<T> && requires
{
    RawValues<T>::texts;
};

template<typename T> struct Codec;

template<> struct Codec<QString>
{
    static Result<QString> decode(const QJsonValue &value) { return toText(value); }
    static QJsonValue encode(const QString &value) { return value; }
};

template<> struct Codec<double>
{
    static Result<double> decode(const QJsonValue &value) { return toReal(value); }
    static QJsonValue encode(double value) { return value; }
};

template<> struct Codec<qint64>
{
    static Result<qint64> decode(const QJsonValue &value) { return toInteger(value); }
    static QJsonValue encode(qint64 value) { return value; }
};

template<> struct Codec<bool>
{
    static Result<bool> decode(const QJsonValue &value) { return toBoolean(value); }
    static QJsonValue encode(bool value) { return value; }
};

template<> struct Codec<QUuid>
{
    static Result<QUuid> decode(const QJsonValue &value) { return toUuid(value); }
    static QJsonValue encode(const QUuid &value) { return Uuid::upperText(value); }
};

template<RawValueEnumeration Enum> struct Codec<Enum>
{
    static Result<Enum> decode(const QJsonValue &value)
    {
        if (!value.isString())
            return Error { QStringLiteral("expected a text") };
        if (const auto parsed = fromRawValue<Enum>(value.toString()))
            return *parsed;
        return Error { QStringLiteral("“%1” is not a known value").arg(value.toString()) };
    }
    static QJsonValue encode(Enum value) { return rawValue(value); }
};

template<JsonRecord Record> struct Codec<Record>
{
    static Result<Record> decode(const QJsonValue &value) { return Record::fromJson(value); }
    static QJsonValue encode(const Record &value) { return value.toJson(); }
};

template<typename Element> struct Codec<QList<Element>>
{
    static Result<QList<Element>> decode(const QJsonValue &value)
    {
        if (!value.isArray())
            return Error { QStringLiteral("expected an array") };
        const QJsonArray array = value.toArray();
        QList<Element> elements;
        elements.reserve(array.size());
        for (qsizetype i = 0; i < array.size(); ++i) {
            Result<Element> element = Codec<Element>::decode(array.at(i));
            if (!element)
                return Error { QStringLiteral("element %1: %2").arg(i).arg(element.error()) };
            elements.append(std::move(element).value());
        }
        return elements;
    }
    static QJsonValue encode(const QList<Element> &elements)
    {
        QJsonArray array;
        for (const Element &element : elements)
            array.append(Codec<Element>::encode(element));
        return array;
    }
};

template<typename T> QJsonValue encode(const T &value)
{
    return Codec<T>::encode(value);
}

// Fails when any number in the tree is a NaN or an infinity: JSON cannot hold them, and Qt's
// writer would silently put null in their place.
Status checkFinite(const QJsonValue &value);

} // namespace JsonValue
