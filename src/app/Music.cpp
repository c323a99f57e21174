#include "app/Music.h"

#include "core/AppPreferences.h"
#include "core/OneShotTimer.h"
#include "media/AudioController.h"

using namespace std::chrono_literals;

Music::Music(std::unique_ptr<AudioController> player, const AppPreferences &preferences, PreferencesEdit edit,
    std::unique_ptr<OneShotTimer> volumeSaveDelay)
    : m_preferences(preferences)
    , m_edit(std::move(edit))
    , m_player(std::move(player))
    , m_volumeSaveDelay(std::move(volumeSaveDelay))
{
    connect(m_player.get(), &AudioController::nowPlayingChanged, this,
        [this](const std::optional<NowPlayingInfo> &info) {
            if (info == m_nowPlaying)
                return;
            m_nowPlaying = info;
            emit nowPlayingChanged();
        });
}

Music::~Music() = default;

QVariant Music::nowPlayingValue() const
{
    return m_nowPlaying ? QVariant::fromValue(*m_nowPlaying) : QVariant();
}

void Music::stopVolumeSaveTimer()
{
    m_volumeSaveDelay->cancel();
}

double Music::volume() const
{
    return m_preferences.audioVolume;
}

void Music::playFor(SessionPhase phase, bool videoSoundTakesPriority)
{
    // A video background with its own sound silences the playlists.
    if (videoSoundTakesPriority) {
        m_player->stop();
        return;
    }
    const AppPreferences &preferences = m_preferences;
    if (phase == SessionPhase::Focus)
        m_player->play(preferences.focusPlaylist, AudioPlaylistKind::focus, preferences.audioVolume, false);
    else
        m_player->play(
            preferences.reminderPlaylist, AudioPlaylistKind::reminder, preferences.audioVolume, true);
}

void Music::stop()
{
    m_player->stop();
}

void Music::togglePlaybackMode()
{
    if (!m_nowPlaying)
        return;
    const AudioPlaylistKind kind = m_nowPlaying->kind;
    const auto mode = m_player->togglePlaybackMode();
    if (!mode)
        return;
    AppPreferences changed = m_preferences;
    (kind == AudioPlaylistKind::reminder ? changed.reminderPlaylist : changed.focusPlaylist).playbackMode
        = *mode;
    m_edit(changed);
    emit preferencesToWrite();
}

void Music::setVolume(double volume)
{
    const double clamped = AudioController::clampedVolume(volume);
    if (clamped == this->volume())
        return;
    AppPreferences changed = m_preferences;
    changed.audioVolume = clamped;
    m_edit(changed);
    m_player->setOutputVolume(clamped);
    // A slider drag writes once, shortly after it stops.
    m_volumeSaveDelay->start(300ms, [this] { emit preferencesToWrite(); });
}

void Music::skipToPreviousTrack()
{
    if (m_player->tracks().size() >= 2)
        m_player->returnToPreviousTrack();
}

void Music::skipToNextTrack()
{
    if (m_player->tracks().size() >= 2)
        m_player->advanceToNextTrack();
}

void Music::togglePause()
{
    m_player->togglePause();
}

void Music::toggleRepeatCurrentTrack()
{
    m_player->toggleRepeatCurrentTrack();
}

void Music::seek(double fraction)
{
    m_player->seek(fraction);
}
