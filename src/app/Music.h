#pragma once

#include "app/PreferencesEdit.h"
#include "core/NowPlayingInfo.h"
#include "core/SessionPhase.h"

#include <QObject>
#include <QVariant>
#include <memory>
#include <optional>

struct AppPreferences;
class AudioController;
class OneShotTimer;

// The music of the rounds and breaks: the player, what it plays now, and the now-playing card's
// transport and volume. The volume and the playlists' modes are settings, which it reads from the
// settings in force and changes through the edit it is given.
class Music : public QObject
{
    Q_OBJECT
    // The player's record (a NowPlayingInfo) while music plays, else undefined.
    Q_PROPERTY(QVariant nowPlaying READ nowPlayingValue NOTIFY nowPlayingChanged FINAL)
    Q_PROPERTY(double volume READ volume NOTIFY volumeChanged FINAL)

public:
    // `volumeSaveDelay` waits for the end of a volume drag before the volume is written.
    Music(std::unique_ptr<AudioController> player, const AppPreferences &preferences, PreferencesEdit edit,
        std::unique_ptr<OneShotTimer> volumeSaveDelay);
    ~Music() override;

    AudioController &player() const { return *m_player; }
    const std::optional<NowPlayingInfo> &nowPlaying() const { return m_nowPlaying; }
    QVariant nowPlayingValue() const;
    double volume() const;

    // Plays the phase's playlist; nothing while a video background's own sound takes priority.
    void playFor(SessionPhase phase, bool videoSoundTakesPriority);
    void stop();
    // Ends a volume drag's wait for its write: the caller writes the settings now.
    void stopVolumeSaveTimer();

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
    // The music changed a setting that should reach the disk, quietly: a failure is tried again later.
    void preferencesToWrite();

private:
    const AppPreferences &m_preferences;
    PreferencesEdit m_edit;
    std::unique_ptr<AudioController> m_player;
    std::optional<NowPlayingInfo> m_nowPlaying;
    std::unique_ptr<OneShotTimer> m_volumeSaveDelay;
};
