#pragma once

#include "core/AudioPlaybackMode.h"
#include "core/AudioPlaylistKind.h"

#include <QObject>
#include <QUuid>

// The music player's published state.
struct NowPlayingInfo
{
    Q_GADGET
    Q_PROPERTY(QUuid trackID MEMBER trackID CONSTANT FINAL)
    Q_PROPERTY(QString title MEMBER title CONSTANT FINAL)
    Q_PROPERTY(double elapsedSeconds MEMBER elapsedSeconds CONSTANT FINAL)
    Q_PROPERTY(double durationSeconds MEMBER durationSeconds CONSTANT FINAL)
    Q_PROPERTY(bool isPaused MEMBER isPaused CONSTANT FINAL)

public:
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
