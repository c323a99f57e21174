#pragma once

#include "AudioPlaybackMode.h"
#include "AudioPlaylistKind.h"

#include <QUuid>

// The music player's published state.
struct NowPlayingInfo
{
    QUuid trackID;
    QString title;
    // Upper case, for example MP3.
    QString fileExtension;
    AudioPlaylistKind kind = AudioPlaylistKind::focus;
    AudioPlaybackMode playbackMode = AudioPlaybackMode::sequential;
    qint64 trackIndex = 0;
    qint64 trackCount = 0;
    // Finite and not negative: 0 when the player reports no valid value.
    double elapsedSeconds = 0;
    double durationSeconds = 0;
    bool isPaused = false;
    bool isRepeatingCurrentTrack = false;

    friend bool operator==(const NowPlayingInfo &, const NowPlayingInfo &) = default;
};
