#include "app/FullScreenToggleSequencer.h"

FullScreenToggleSequencer::FullScreenToggleSequencer(
    StagedFullScreenWindow &window, std::unique_ptr<OneShotTimer> timer)
    : m_window(window)
    , m_timer(std::move(timer))
{ }

FullScreenToggleSequencer::~FullScreenToggleSequencer()
{
    // The stages refer to this object and to the window; neither outlives it.
    m_timer->cancel();
}

void FullScreenToggleSequencer::toggle()
{
    m_targetFullScreen = !m_window.isFullScreen();
    m_isChangingFullScreen = true;
    m_window.applyLevel();
    m_window.raiseAndActivate();
    // Entering waits until the window has come forward; leaving needs no such pause.
    if (m_targetFullScreen) {
        m_timer->start(enterDelay, [this] {
            changeState();
            m_timer->start(transitionEnd - enterDelay, [this] { endTransition(); });
        });
    } else {
        changeState();
        m_timer->start(transitionEnd, [this] { endTransition(); });
    }
}

void FullScreenToggleSequencer::changeState()
{
    m_window.raiseAndActivate();
    if (m_window.isFullScreen() != m_targetFullScreen)
        m_window.setFullScreen(m_targetFullScreen);
}

void FullScreenToggleSequencer::endTransition()
{
    m_isChangingFullScreen = false;
    m_window.applyLevel();
    // Window managers may still be restoring the frame after leaving full screen and drop the level
    // on the way; it is set once more when they are done.
    if (!m_targetFullScreen)
        m_timer->start(lateLevelCheck - transitionEnd, [this] { m_window.applyLevel(); });
}
