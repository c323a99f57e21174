#pragma once

#include "core/OneShotTimer.h"

#include <QObject>
#include <chrono>
#include <memory>

// A start that stalls shows no first frame: the player says it plays, raises no error, and the video
// stays dark. A pipeline that hands its frames to the view has not been seen to stall, but nothing else
// would notice if it did. A start that shows no frame in time is therefore asked to start once more; a
// video that still shows nothing (one without a picture track, say) is left alone until a frame comes.
class VideoStartWatchdog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool playing READ playing WRITE setPlaying NOTIFY playingChanged FINAL)

public:
    explicit VideoStartWatchdog(QObject *parent = nullptr);
    VideoStartWatchdog(std::unique_ptr<OneShotTimer> timer, QObject *parent = nullptr);
    ~VideoStartWatchdog() override;

    // Generous: a large video on a busy machine may take a while to show its first frame, and a needless
    // restart only costs one more start.
    static constexpr std::chrono::milliseconds firstFrameWait { 5000 };

    bool playing() const { return m_playing; }
    void setPlaying(bool playing);
    // A frame of the video has been drawn.
    Q_INVOKABLE void frameShown();

signals:
    void playingChanged();
    // Stop the player and play it again.
    void restartRequested();

private:
    void awaitFrame();
    void stopAwaiting();

    std::unique_ptr<OneShotTimer> m_timer;
    bool m_playing = false;
    bool m_awaitingFrame = false;
    bool m_restartedWithoutFrame = false;
};
