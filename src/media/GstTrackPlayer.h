#pragma once

#include "core/TrackPlayer.h"
#include "media/GstBusRelay.h"

#include <gst/gst.h>
#include <memory>

// Plays one audio file (or a movie's sound) through GStreamer's playbin3 on the default audio output.
// Every call returns at once: state changes and seeks run on GStreamer's control queue, and what the
// pipeline reports arrives on this object's thread.
class GstTrackPlayer : public TrackPlayer
{
    Q_OBJECT

public:
    explicit GstTrackPlayer(QObject *parent = nullptr);
    ~GstTrackPlayer() override;

    void load(const QString &filePath) override;
    void play() override;
    void pause() override;
    void stop() override;
    double positionSeconds() const override;
    double durationSeconds() const override;
    void seek(double seconds) override;
    void setVolume(float volume) override;

private:
    void handle(GstMessage *message);
    void setState(GstState state);

    GstElement *m_playbin = nullptr;
    std::unique_ptr<GstBusRelay> m_bus;
    float m_volume = 1.0f;
};
