#pragma once

#include "core/NowPlayingInfo.h"
#include "core/SessionPhase.h"

#include <QObject>
#include <QTimer>
#include <QVariant>
#include <memory>
#include <optional>

class AppController;
class AudioController;

// The music of the rounds and breaks: the player, what it plays now, and the now-playing card's
// transport and volume. The volume and the playlists' modes are settings, kept by the controller.
class Music : public QObject
{
    Q_OBJECT
    // The player's record (a NowPlayingInfo) while music plays, else undefined.
    Q_PROPERTY(QVariant nowPlaying READ nowPlayingValue NOTIFY nowPlayingChanged FINAL)
    Q_PROPERTY(double volume READ volume NOTIFY volumeChanged FINAL)

public:
    Music(std::unique_ptr<AudioController> player, AppController &controller);
    ~Music() override;

    AudioController &player() const { return *m_player; }
    const std::optional<NowPlayingInfo> &nowPlaying() const { return m_nowPlaying; }
    QVariant nowPlayingValue() const;
    double volume() const;

    // Plays the phase's playlist; nothing while a video background's own sound takes priority.
    void playFor(SessionPhase phase, bool videoSoundTakesPriority);
    void stop();
    // Ends a volume drag's wait for its write: the caller writes the settings now.
    void stopVolumeSaveTimer() { m_volumeSaveTimer.stop(); }

    Q_INVOKABLE void togglePlaybackMode();
    Q_INVOKABLE void setVolume(double volume);
    // The now-playing card's transport: a skip needs a list of two or more tracks.
    Q_INVOKABLE void skipToPreviousTrack();
    Q_INVOKABLE void skipToNextTrack();
    Q_INVOKABLE void togglePause();
    Q_INVOKABLE void toggleRepeatCurrentTrack();
    Q_INVOKABLE void seek(double fraction);

signals:
    void nowPlayingChanged();
    void volumeChanged();

private:
    AppController &m_controller;
    std::unique_ptr<AudioController> m_player;
    std::optional<NowPlayingInfo> m_nowPlaying;
    QTimer m_volumeSaveTimer;
};
