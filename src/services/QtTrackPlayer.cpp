#include "services/QtTrackPlayer.h"

#include <QUrl>
#include <cmath>
#include <limits>

QtTrackPlayer::QtTrackPlayer(QObject *parent)
    : TrackPlayer(parent)
{
    m_player.setAudioOutput(&m_output);
    connect(&m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            emit playedToEnd();
    });
    connect(&m_player, &QMediaPlayer::errorOccurred, this,
        [this](QMediaPlayer::Error, const QString &message) { emit failed(message); });
}

void QtTrackPlayer::load(const QString &filePath)
{
    m_player.setSource(QUrl::fromLocalFile(filePath));
}

void QtTrackPlayer::play()
{
    m_player.play();
}

void QtTrackPlayer::pause()
{
    m_player.pause();
}

void QtTrackPlayer::stop()
{
    m_player.stop();
}

double QtTrackPlayer::positionSeconds() const
{
    return static_cast<double>(m_player.position()) / 1000.0;
}

double QtTrackPlayer::durationSeconds() const
{
    // The player reports 0 while it does not know the length.
    const qint64 milliseconds = m_player.duration();
    return milliseconds > 0 ? static_cast<double>(milliseconds) / 1000.0
                            : std::numeric_limits<double>::quiet_NaN();
}

void QtTrackPlayer::seek(double seconds)
{
    m_player.setPosition(static_cast<qint64>(std::llround(seconds * 1000.0)));
}

void QtTrackPlayer::setVolume(float volume)
{
    m_output.setVolume(volume);
}
