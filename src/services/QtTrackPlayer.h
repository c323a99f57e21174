#pragma once

#include "services/TrackPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>

// Plays one audio file through Qt Multimedia on the default audio output.
class QtTrackPlayer : public TrackPlayer
{
    Q_OBJECT

public:
    explicit QtTrackPlayer(QObject *parent = nullptr);

    void load(const QString &filePath) override;
    void play() override;
    void pause() override;
    void stop() override;
    double positionSeconds() const override;
    double durationSeconds() const override;
    void seek(double seconds) override;
    void setVolume(float volume) override;

private:
    QAudioOutput m_output;
    QMediaPlayer m_player;
};
