#include "services/VideoStartWatchdog.h"

#include "services/QtOneShotTimer.h"

#include <QVideoFrame>

VideoStartWatchdog::VideoStartWatchdog(QObject *parent)
    : VideoStartWatchdog(std::make_unique<QtOneShotTimer>(), parent)
{ }

VideoStartWatchdog::VideoStartWatchdog(std::unique_ptr<OneShotTimer> timer, QObject *parent)
    : QObject(parent)
    , m_timer(std::move(timer))
{ }

VideoStartWatchdog::~VideoStartWatchdog() = default;

void VideoStartWatchdog::setPlaying(bool playing)
{
    if (playing == m_playing)
        return;
    m_playing = playing;
    if (playing)
        awaitFrame();
    else
        stopAwaiting();
    emit playingChanged();
}

void VideoStartWatchdog::setVideoSink(QVideoSink *sink)
{
    if (sink == m_videoSink)
        return;
    disconnect(m_frames);
    m_videoSink = sink;
    if (m_awaitingFrame)
        listen();
    emit videoSinkChanged();
}

void VideoStartWatchdog::awaitFrame()
{
    m_awaitingFrame = true;
    listen();
    if (m_restartedWithoutFrame)
        return;
    m_timer->start(firstFrameWait, [this] {
        m_restartedWithoutFrame = true;
        emit restartRequested();
    });
}

void VideoStartWatchdog::stopAwaiting()
{
    m_awaitingFrame = false;
    m_timer->cancel();
    disconnect(m_frames);
}

void VideoStartWatchdog::listen()
{
    // The sink may send from the pipeline's thread; the frame is then handled on this object's thread.
    disconnect(m_frames);
    if (m_videoSink)
        m_frames
            = connect(m_videoSink, &QVideoSink::videoFrameChanged, this, &VideoStartWatchdog::frameArrived);
}

void VideoStartWatchdog::frameArrived(const QVideoFrame &frame)
{
    // A stop or a flush hands the sink an empty frame.
    if (!m_awaitingFrame || !frame.isValid())
        return;
    stopAwaiting();
    m_restartedWithoutFrame = false;
}
