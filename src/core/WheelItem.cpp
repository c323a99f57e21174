#include "core/WheelItem.h"

#include "core/JsonReader.h"

Result<WheelItem> WheelItem::fromJson(const QJsonValue &value)
{
    JsonReader reader(value);
    WheelItem item;
    item.id = reader.required<QUuid>(QLatin1StringView("id"));
    item.title = reader.required<QString>(QLatin1StringView("title"));
    item.weight = reader.required<double>(QLatin1StringView("weight"));
    item.healthScore = reader.required<qint64>(QLatin1StringView("healthScore"));
    item.symbol = reader.required<QString>(QLatin1StringView("symbol"));
    return reader.finish(std::move(item));
}

QJsonObject WheelItem::toJson() const
{
    return {
        { QStringLiteral("id"), JsonValue::encode(id) },
        { QStringLiteral("title"), title },
        { QStringLiteral("weight"), weight },
        { QStringLiteral("healthScore"), healthScore },
        { QStringLiteral("symbol"), symbol },
    };
}
