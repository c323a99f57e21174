#include "core/AudioPlaylist.h"

#include "core/JsonReader.h"

const AudioPlaylist &AudioPlaylist::focusDefault()
{
    static const AudioPlaylist playlist { false, AudioPlaybackMode::sequential, {} };
    return playlist;
}

const AudioPlaylist &AudioPlaylist::reminderDefault()
{
    static const AudioPlaylist playlist { true, AudioPlaybackMode::sequential, {} };
    return playlist;
}

Result<AudioPlaylist> AudioPlaylist::fromJson(const QJsonValue &value)
{
    JsonReader reader(value);
    AudioPlaylist playlist;
    playlist.isEnabled = reader.required<bool>(QLatin1StringView("isEnabled"));
    playlist.playbackMode = reader.required<AudioPlaybackMode>(QLatin1StringView("playbackMode"));
    playlist.tracks = reader.required<QList<AudioTrack>>(QLatin1StringView("tracks"));
    return reader.finish(std::move(playlist));
}

QJsonObject AudioPlaylist::toJson() const
{
    return {
        { QStringLiteral("isEnabled"), isEnabled },
        { QStringLiteral("playbackMode"), JsonValue::encode(playbackMode) },
        { QStringLiteral("tracks"), JsonValue::encode(tracks) },
    };
}
