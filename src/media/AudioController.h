#pragma once

#include "core/AudioPlaylist.h"
#include "core/AudioPlaylistKind.h"
#include "core/NowPlayingInfo.h"
#include "core/RandomSource.h"
#include "core/SystemBeep.h"
#include "core/TrackPlayer.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>

// Plays one playlist at a time, a new player per track, stepping in order or shuffled with a
// back-and-forth history, and publishes what plays through nowPlayingChanged().
class AudioController : public QObject
{
    Q_OBJECT

public:
    static constexpr float defaultVolume = 0.72f;
    static constexpr std::chrono::milliseconds timeReportInterval { 500 };

    AudioController(TrackPlayerFactory makePlayer, std::unique_ptr<SystemBeep> beep,
        std::unique_ptr<RandomSource> random, QObject *parent = nullptr);
    ~AudioController() override;

    // The volume as stored and played: finite values in [0, 1]; anything else is 0.
    static double clampedVolume(double volume);

    // Starts the playlist from the beginning of its order. Missing files are skipped; when none is
    // left, fallbackBeep sounds the system beep instead.
    void play(const AudioPlaylist &playlist, AudioPlaylistKind kind, double volume, bool fallbackBeep);
    // Ends playback and publishes no record.
    void stop();

    // Switches sequential/shuffle of the running playlist; the new mode applies from the next step.
    // None when nothing is loaded.
    std::optional<AudioPlaybackMode> togglePlaybackMode();
    Q_INVOKABLE void advanceToNextTrack();
    Q_INVOKABLE void returnToPreviousTrack();
    Q_INVOKABLE void togglePause();
    Q_INVOKABLE void toggleRepeatCurrentTrack();
    // fraction: the chosen position, 0 to 1, of the current track.
    Q_INVOKABLE void seek(double fraction);
    // Applies the volume to the current player at once and to every later one.
    void setOutputVolume(double volume);

    // Builds the record of the current track and hands it out; none when no track is current.
    void publishCurrentTrack(double elapsedSeconds, double durationSeconds);
    // The periodic report: publishes the current player's position while a track plays.
    void reportPlaybackTime();

    const QList<AudioTrack> &tracks() const { return m_tracks; }
    AudioPlaylistKind playlistKind() const { return m_playlistKind; }
    AudioPlaybackMode playbackMode() const { return m_playbackMode; }
    qsizetype currentIndex() const { return m_currentIndex; }
    const QList<qsizetype> &playbackHistory() const { return m_playbackHistory; }
    qsizetype historyPosition() const { return m_historyPosition; }
    bool isPaused() const { return m_isPaused; }
    bool isRepeatingCurrentTrack() const { return m_isRepeatingCurrentTrack; }
    float outputVolume() const { return m_outputVolume; }

signals:
    void nowPlayingChanged(const std::optional<NowPlayingInfo> &info);

private:
    void playCurrentTrack();
    void handlePlayedToEnd();
    void releasePlayer();
    qsizetype shuffleStep();

    TrackPlayerFactory m_makePlayer;
    std::unique_ptr<SystemBeep> m_beep;
    std::unique_ptr<RandomSource> m_random;
    // Owned through the Qt parent; a replaced player is deleted later, as it may be emitting.
    TrackPlayer *m_player = nullptr;
    QTimer m_timeReportTimer;

    QList<AudioTrack> m_tracks;
    AudioPlaylistKind m_playlistKind = AudioPlaylistKind::focus;
    AudioPlaybackMode m_playbackMode = AudioPlaybackMode::sequential;
    qsizetype m_currentIndex = 0;
    QList<qsizetype> m_playbackHistory;
    qsizetype m_historyPosition = 0;
    bool m_isPaused = false;
    bool m_isRepeatingCurrentTrack = false;
    float m_outputVolume = defaultVolume;
};
