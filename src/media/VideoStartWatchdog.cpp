#include "media/VideoStartWatchdog.h"

#include "core/QtOneShotTimer.h"

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

void VideoStartWatchdog::awaitFrame()
{
    m_awaitingFrame = true;
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
}

void VideoStartWatchdog::frameShown()
{
    if (!m_awaitingFrame)
        return;
    stopAwaiting();
    m_restartedWithoutFrame = false;
}
