#include "media/AudioController.h"

#include <QDebug>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

double finiteNonNegative(double seconds)
{
    return std::isfinite(seconds) && seconds >= 0 ? seconds : 0;
}

// Finite values capped into [0, 1]; anything else is 0.
double unitFraction(double value)
{
    return std::isfinite(value) && value >= 0 ? std::min(value, 1.0) : 0;
}

// A uniform index in [0, count) from a roll in [0, 1); count must be positive.
qsizetype indexFromRoll(double roll, qsizetype count)
{
    if (!(roll > 0))
        return 0;
    if (!(roll < 1))
        return count - 1;
    return std::min(count - 1, static_cast<qsizetype>(roll * static_cast<double>(count)));
}

} // namespace

AudioController::AudioController(TrackPlayerFactory makePlayer, std::unique_ptr<SystemBeep> beep,
    std::unique_ptr<RandomSource> random, QObject *parent)
    : QObject(parent)
    , m_makePlayer(std::move(makePlayer))
    , m_beep(std::move(beep))
    , m_random(std::move(random))
{
    m_timeReportTimer.setInterval(timeReportInterval);
    connect(&m_timeReportTimer, &QTimer::timeout, this, &AudioController::reportPlaybackTime);
}

AudioController::~AudioController()
{
    // Silent on purpose: whoever would receive the empty record is being torn down with us.
    releasePlayer();
}

double AudioController::clampedVolume(double volume)
{
    return unitFraction(volume);
}

void AudioController::play(
    const AudioPlaylist &playlist, AudioPlaylistKind kind, double volume, bool fallbackBeep)
{
    stop();
    m_outputVolume = static_cast<float>(clampedVolume(volume));
    if (!playlist.isEnabled)
        return;

    for (const AudioTrack &track : playlist.tracks) {
        if (QFileInfo::exists(track.path))
            m_tracks.append(track);
    }
    m_playlistKind = kind;
    m_playbackMode = playlist.playbackMode;
    if (m_tracks.isEmpty()) {
        if (fallbackBeep)
            m_beep->beep();
        return;
    }

    const qsizetype start = m_playbackMode == AudioPlaybackMode::shuffle
        ? indexFromRoll(m_random->unitRoll(), m_tracks.size())
        : 0;
    m_currentIndex = start;
    m_playbackHistory = { start };
    m_historyPosition = 0;
    m_isRepeatingCurrentTrack = false;
    playCurrentTrack();
}

void AudioController::stop()
{
    releasePlayer();
    m_tracks.clear();
    m_currentIndex = 0;
    m_playbackHistory.clear();
    m_historyPosition = 0;
    m_isPaused = false;
    m_isRepeatingCurrentTrack = false;
    emit nowPlayingChanged(std::nullopt);
}

std::optional<AudioPlaybackMode> AudioController::togglePlaybackMode()
{
    if (!m_player)
        return std::nullopt;
    m_playbackMode = m_playbackMode == AudioPlaybackMode::sequential ? AudioPlaybackMode::shuffle
                                                                     : AudioPlaybackMode::sequential;
    m_isRepeatingCurrentTrack = false;
    reportPlaybackTime();
    return m_playbackMode;
}

void AudioController::advanceToNextTrack()
{
    if (m_tracks.isEmpty())
        return;
    if (m_historyPosition + 1 < m_playbackHistory.size()) {
        ++m_historyPosition;
        m_currentIndex = m_playbackHistory.at(m_historyPosition);
        playCurrentTrack();
        return;
    }

    const qsizetype count = m_tracks.size();
    if (count == 1)
        m_currentIndex = 0;
    else if (m_playbackMode == AudioPlaybackMode::sequential)
        m_currentIndex = (m_currentIndex + 1) % count;
    else
        m_currentIndex = (m_currentIndex + shuffleStep()) % count;
    m_playbackHistory.append(m_currentIndex);
    m_historyPosition = m_playbackHistory.size() - 1;
    playCurrentTrack();
}

void AudioController::returnToPreviousTrack()
{
    if (m_tracks.isEmpty())
        return;
    if (m_historyPosition >= 1) {
        --m_historyPosition;
        m_currentIndex = m_playbackHistory.at(m_historyPosition);
        playCurrentTrack();
        return;
    }

    const qsizetype count = m_tracks.size();
    if (count == 1)
        m_currentIndex = 0;
    else if (m_playbackMode == AudioPlaybackMode::sequential)
        m_currentIndex = (m_currentIndex - 1 + count) % count;
    else
        m_currentIndex = (m_currentIndex - shuffleStep() + count) % count;
    m_playbackHistory.prepend(m_currentIndex);
    m_historyPosition = 0;
    playCurrentTrack();
}

void AudioController::togglePause()
{
    if (!m_player)
        return;
    m_isPaused = !m_isPaused;
    if (m_isPaused) {
        m_player->pause();
        m_timeReportTimer.stop();
    } else {
        m_player->play();
        m_timeReportTimer.start();
    }
    reportPlaybackTime();
}

void AudioController::toggleRepeatCurrentTrack()
{
    if (!m_player)
        return;
    m_isRepeatingCurrentTrack = !m_isRepeatingCurrentTrack;
    reportPlaybackTime();
}

void AudioController::seek(double fraction)
{
    if (!m_player)
        return;
    const double duration = m_player->durationSeconds();
    if (!std::isfinite(duration) || duration <= 0)
        return;
    const double target = unitFraction(fraction) * duration;
    publishCurrentTrack(target, duration);
    m_player->seek(target);
}

void AudioController::setOutputVolume(double volume)
{
    m_outputVolume = static_cast<float>(clampedVolume(volume));
    if (m_player)
        m_player->setVolume(m_outputVolume);
}

void AudioController::publishCurrentTrack(double elapsedSeconds, double durationSeconds)
{
    if (m_currentIndex < 0 || m_currentIndex >= m_tracks.size()) {
        emit nowPlayingChanged(std::nullopt);
        return;
    }
    const AudioTrack &track = m_tracks.at(m_currentIndex);
    NowPlayingInfo info;
    info.trackID = track.id;
    info.title = track.name;
    info.fileExtension = QFileInfo(track.path).suffix().toUpper();
    info.kind = m_playlistKind;
    info.playbackMode = m_playbackMode;
    info.trackIndex = m_currentIndex;
    info.trackCount = m_tracks.size();
    info.elapsedSeconds = finiteNonNegative(elapsedSeconds);
    info.durationSeconds = finiteNonNegative(durationSeconds);
    info.isPaused = m_isPaused;
    info.isRepeatingCurrentTrack = m_isRepeatingCurrentTrack;
    emit nowPlayingChanged(info);
}

void AudioController::reportPlaybackTime()
{
    if (m_player)
        publishCurrentTrack(m_player->positionSeconds(), m_player->durationSeconds());
}

void AudioController::playCurrentTrack()
{
    if (m_currentIndex < 0 || m_currentIndex >= m_tracks.size())
        return;
    releasePlayer();

    m_player = m_makePlayer().release();
    m_player->setParent(this);
    connect(m_player, &TrackPlayer::playedToEnd, this, &AudioController::handlePlayedToEnd);
    const QString path = m_tracks.at(m_currentIndex).path;
    connect(m_player, &TrackPlayer::failed, this, [path](const QString &message) {
        // The track then simply makes no progress; the log says why.
        qWarning().noquote() << "Cannot play" << path << ':' << message;
    });
    m_player->load(path);
    m_player->setVolume(m_outputVolume);

    // A new track always starts playing, so it is never shown as paused.
    m_isPaused = false;
    publishCurrentTrack(0, m_player->durationSeconds());
    m_player->play();
    m_timeReportTimer.start();
}

void AudioController::handlePlayedToEnd()
{
    if (!m_isRepeatingCurrentTrack) {
        advanceToNextTrack();
        return;
    }
    m_player->seek(0);
    m_player->play();
    m_isPaused = false;
    publishCurrentTrack(0, m_player->durationSeconds());
    m_timeReportTimer.start();
}

void AudioController::releasePlayer()
{
    m_timeReportTimer.stop();
    if (!m_player)
        return;
    // Disconnecting first drops any late report of the player being replaced.
    m_player->disconnect(this);
    m_player->stop();
    // It may be the sender of the signal being handled right now.
    m_player->deleteLater();
    m_player = nullptr;
}

qsizetype AudioController::shuffleStep()
{
    return 1 + indexFromRoll(m_random->unitRoll(), m_tracks.size() - 1);
}
