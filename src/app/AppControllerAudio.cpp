// Music for the current phase and the now-playing card's controls that change settings.

#include "app/AppController.h"
#include "media/AudioController.h"

void AppController::syncAudioForCurrentPhase()
{
    // A video background with its own sound silences the playlists.
    if (videoSoundTakesPriority()) {
        m_audioController->stop();
        return;
    }
    if (m_phase == SessionPhase::focus)
        m_audioController->play(
            m_preferences.focusPlaylist, AudioPlaylistKind::focus, m_preferences.audioVolume, false);
    else
        m_audioController->play(
            m_preferences.reminderPlaylist, AudioPlaylistKind::reminder, m_preferences.audioVolume, true);
}

void AppController::toggleCurrentPlaybackMode()
{
    if (!m_nowPlaying)
        return;
    const AudioPlaylistKind kind = m_nowPlaying->kind;
    const auto mode = m_audioController->togglePlaybackMode();
    if (!mode)
        return;
    AppPreferences changed = m_preferences;
    (kind == AudioPlaylistKind::reminder ? changed.reminderPlaylist : changed.focusPlaylist).playbackMode
        = *mode;
    setPreferences(changed);
    writePreferencesQuietly();
}

void AppController::setAudioVolume(double volume)
{
    const double clamped = AudioController::clampedVolume(volume);
    if (clamped == m_preferences.audioVolume)
        return;
    AppPreferences changed = m_preferences;
    changed.audioVolume = clamped;
    setPreferences(changed);
    m_audioController->setOutputVolume(clamped);
    // A slider drag writes once, shortly after it stops.
    m_volumeSaveTimer.start();
}

QVariant AppController::nowPlayingValue() const
{
    return m_nowPlaying ? QVariant::fromValue(*m_nowPlaying) : QVariant();
}

void AppController::skipToPreviousTrack()
{
    if (m_audioController->tracks().size() >= 2)
        m_audioController->returnToPreviousTrack();
}

void AppController::skipToNextTrack()
{
    if (m_audioController->tracks().size() >= 2)
        m_audioController->advanceToNextTrack();
}

void AppController::toggleMusicPause()
{
    m_audioController->togglePause();
}

void AppController::toggleRepeatCurrentTrack()
{
    m_audioController->toggleRepeatCurrentTrack();
}

void AppController::seekMusic(double fraction)
{
    m_audioController->seek(fraction);
}
