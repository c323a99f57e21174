#include "core/BackgroundMediaItem.h"

#include "core/JsonReader.h"

Result<BackgroundMediaItem> BackgroundMediaItem::fromJson(const QJsonValue &value)
{
    JsonReader reader(value);
    BackgroundMediaItem item;
    item.id = reader.required<QUuid>(QLatin1StringView("id"));
    item.name = reader.required<QString>(QLatin1StringView("name"));
    item.path = reader.required<QString>(QLatin1StringView("path"));
    return reader.finish(std::move(item));
}

QJsonObject BackgroundMediaItem::toJson() const
{
    return {
        { QStringLiteral("id"), JsonValue::encode(id) },
        { QStringLiteral("name"), name },
        { QStringLiteral("path"), path },
    };
}
