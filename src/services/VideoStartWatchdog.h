#pragma once

#include "services/OneShotTimer.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QVideoSink>
#include <chrono>
#include <memory>

// A start that stalls shows no first frame: the player says it plays, raises no error, and the video
// stays dark. Qt's GStreamer backend did so when it replaced its sink element as the window's graphics
// reached the sink; a sink that is never given graphics has not been seen to stall, but nothing else
// would notice if it did. A start that shows no frame in time is therefore asked to start once more; a
// video that still shows nothing (one without a picture track, say) is left alone until a frame comes.
class VideoStartWatchdog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool playing READ playing WRITE setPlaying NOTIFY playingChanged)
    Q_PROPERTY(QVideoSink *videoSink READ videoSink WRITE setVideoSink NOTIFY videoSinkChanged)

public:
    explicit VideoStartWatchdog(QObject *parent = nullptr);
    VideoStartWatchdog(std::unique_ptr<OneShotTimer> timer, QObject *parent = nullptr);
    ~VideoStartWatchdog() override;

    // Generous: a large video on a busy machine may take a while to show its first frame, and a needless
    // restart only costs one more start.
    static constexpr std::chrono::milliseconds firstFrameWait { 5000 };

    bool playing() const { return m_playing; }
    void setPlaying(bool playing);
    QVideoSink *videoSink() const { return m_videoSink; }
    void setVideoSink(QVideoSink *sink);

signals:
    void playingChanged();
    void videoSinkChanged();
    // Stop the player and play it again.
    void restartRequested();

private:
    void awaitFrame();
    void stopAwaiting();
    void listen();
    void frameArrived(const QVideoFrame &frame);

    std::unique_ptr<OneShotTimer> m_timer;
    QPointer<QVideoSink> m_videoSink;
    // Only while a first frame is awaited: every later frame would cost a call for nothing.
    QMetaObject::Connection m_frames;
    bool m_playing = false;
    bool m_awaitingFrame = false;
    bool m_restartedWithoutFrame = false;
};
