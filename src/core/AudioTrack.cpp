#include "core/AudioTrack.h"

#include "core/JsonReader.h"

Result<AudioTrack> AudioTrack::fromJson(const QJsonValue &value)
{
    JsonReader reader(value);
    AudioTrack track;
    track.id = reader.required<QUuid>(QLatin1StringView("id"));
    track.name = reader.required<QString>(QLatin1StringView("name"));
    track.path = reader.required<QString>(QLatin1StringView("path"));
    return reader.finish(std::move(track));
}

QJsonObject AudioTrack::toJson() const
{
    return {
        { QStringLiteral("id"), JsonValue::encode(id) },
        { QStringLiteral("name"), name },
        { QStringLiteral("path"), path },
    };
}
