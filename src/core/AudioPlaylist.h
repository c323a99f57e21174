#pragma once

#include "core/AudioPlaybackMode.h"
#include "core/AudioTrack.h"

#include <QList>

// One of the two playlists: focus music or break music.
struct AudioPlaylist
{
    bool isEnabled = false;
    AudioPlaybackMode playbackMode = AudioPlaybackMode::sequential;
    QList<AudioTrack> tracks;

    static const AudioPlaylist &focusDefault();
    static const AudioPlaylist &reminderDefault();

    static Result<AudioPlaylist> fromJson(const QJsonValue &value);
    QJsonObject toJson() const;

    friend bool operator==(const AudioPlaylist &, const AudioPlaylist &) = default;
};
