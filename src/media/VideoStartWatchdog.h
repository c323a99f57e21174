#pragma once

#include "core/OneShotTimer.h"

#include <QObject>
#include <chrono>
#include <memory>

// A start that stalls shows no first frame: the player says it plays, raises no error, and the video
// stays dark. GStreamer's playbin3 stalls so now and then on a busy machine, where a start that does not
// stall may also take longer than the wait. A start that shows no frame in time is therefore asked to start
// once more, and each start after one that showed nothing waits twice as long as the one before: a slow
// machine gets the time it needs, a start that stalled again is started again, and a video that never
// shows anything (one without a picture track, say) is started ever more rarely.
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
    // Restarts since the last frame shown.
    int m_restartsWithoutFrame = 0;
};
