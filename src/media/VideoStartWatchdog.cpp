#include "media/VideoStartWatchdog.h"

#include "core/QtOneShotTimer.h"

#include <algorithm>

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
    // Doubled at most six times: a video that shows nothing is still tried every five minutes or so.
    m_timer->start(firstFrameWait * (1 << std::min(m_restartsWithoutFrame, 6)), [this] {
        ++m_restartsWithoutFrame;
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
    m_restartsWithoutFrame = 0;
}
