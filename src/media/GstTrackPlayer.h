#pragma once

#include "core/QtOneShotTimer.h"
#include "core/TrackPlayer.h"
#include "media/GstBusRelay.h"

#include <gst/gst.h>
#include <memory>

// Plays one audio file (or a movie's sound) through GStreamer's playbin3 on the default audio output.
// Every call returns at once: state changes and seeks run on GStreamer's control queue, and what the
// pipeline reports arrives on this object's thread.
//
// On a busy machine GStreamer 1.22's playbin3 now and then never finishes its start: uridecodebin3 lets
// the file's first data run into its decoding bin before that bin is ready for it, the data is refused,
// and the queue that sent it stops for good, with no error. A start that has not settled in time is
// therefore made once more, from a new pipeline.
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
    // Makes the pipeline for the loaded file and asks it for the state the caller wants.
    void start();
    void restartIfStalled();
    void handle(GstMessage *message);
    void setState(GstState state);

    QtOneShotTimer m_startTimer;
    GstElement *m_playbin = nullptr;
    std::unique_ptr<GstBusRelay> m_bus;
    QString m_filePath;
    GstState m_wanted = GST_STATE_PAUSED;
    bool m_startAsked = false;
    bool m_restarted = false;
    float m_volume = 1.0f;
};
