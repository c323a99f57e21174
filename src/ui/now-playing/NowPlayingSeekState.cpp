#include "ui/now-playing/NowPlayingSeekState.h"

#include "core/QtOneShotTimer.h"

#include <cmath>

NowPlayingSeekState::NowPlayingSeekState(QObject *parent)
    : NowPlayingSeekState(std::make_unique<QtOneShotTimer>(), parent)
{ }

NowPlayingSeekState::NowPlayingSeekState(std::unique_ptr<OneShotTimer> endTimer, QObject *parent)
    : QObject(parent)
    , m_endTimer(std::move(endTimer))
    , m_presentation(NowPlayingPresentation::make(m_state))
{ }

NowPlayingSeekState::~NowPlayingSeekState() = default;

template<typename Change> void NowPlayingSeekState::change(Change change)
{
    const NowPlayingPresentation::State before = m_state;
    change(m_state);
    if (m_state == before)
        return;
    m_presentation = NowPlayingPresentation::make(m_state);
    emit presentationChanged();
}

void NowPlayingSeekState::setInfo(const NowPlayingInfo &info)
{
    const bool newTrack = info.trackID != m_state.info.trackID;
    if (newTrack)
        m_endTimer->cancel();
    change([&](NowPlayingPresentation::State &state) {
        state.info = info;
        if (newTrack) {
            state.isSeeking = false;
            state.seekPreviewProgress = 0;
        }
    });
}

void NowPlayingSeekState::setEnglish(bool english)
{
    change([&](auto &state) { state.language = english ? AppLanguage::english : AppLanguage::chinese; });
}

void NowPlayingSeekState::setVolume(double volume)
{
    change([&](auto &state) { state.volume = volume; });
}

void NowPlayingSeekState::setAccent(const QColor &accent)
{
    change([&](auto &state) { state.accent = accent; });
}

void NowPlayingSeekState::setWidth(double width)
{
    change([&](auto &state) { state.width = width; });
}

void NowPlayingSeekState::setBarWidth(double width)
{
    change([&](auto &state) { state.barWidth = width; });
}

void NowPlayingSeekState::setProgressIsHovered(bool hovered)
{
    change([&](auto &state) { state.progressIsHovered = hovered; });
}

bool NowPlayingSeekState::canSeek() const
{
    return m_state.info.durationSeconds > 0 && m_state.barWidth > 0;
}

void NowPlayingSeekState::press(double x)
{
    m_endTimer->cancel();
    move(x);
}

void NowPlayingSeekState::move(double x)
{
    if (!canSeek())
        return;
    change([&](auto &state) {
        state.isSeeking = true;
        state.seekPreviewProgress = NowPlayingPresentation::seekFraction(x, state.barWidth);
    });
}

void NowPlayingSeekState::release(double x)
{
    if (!canSeek()) {
        cancel();
        return;
    }
    const double fraction = NowPlayingPresentation::seekFraction(x, m_state.barWidth);
    change([&](auto &state) { state.seekPreviewProgress = fraction; });
    emit seekRequested(fraction);
    m_endTimer->start(previewHold, [this] { change([](auto &state) { state.isSeeking = false; }); });
}

void NowPlayingSeekState::cancel()
{
    m_endTimer->cancel();
    change([](auto &state) { state.isSeeking = false; });
}

void NowPlayingSeekState::increment()
{
    emit seekRequested(m_presentation.incrementFraction);
}

void NowPlayingSeekState::decrement()
{
    emit seekRequested(m_presentation.decrementFraction);
}
