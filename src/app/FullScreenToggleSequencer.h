#pragma once

#include "core/OneShotTimer.h"

#include <chrono>
#include <memory>

// The window a staged full-screen toggle works on.
class StagedFullScreenWindow
{
public:
    virtual ~StagedFullScreenWindow() = default;
    virtual bool isFullScreen() const = 0;
    virtual void setFullScreen(bool fullScreen) = 0;
    virtual void raiseAndActivate() = 0;
    // Sets the window's level again; it reads the sequencer's transition flag.
    virtual void applyLevel() = 0;
};

// A double click in the title band toggles full screen in stages, so that a floating window never
// covers the transition: the window drops to the normal level at once, changes state after a short
// pause (none when leaving), and its level is restored only once the window manager has settled.
//
// The stage sets the state captured at the double click instead of toggling, so that a break that
// entered full screen meanwhile is not taken out of it.
class FullScreenToggleSequencer
{
public:
    static constexpr std::chrono::milliseconds enterDelay { 650 };
    static constexpr std::chrono::milliseconds transitionEnd { 1800 };
    static constexpr std::chrono::milliseconds lateLevelCheck { 3200 };

    FullScreenToggleSequencer(StagedFullScreenWindow &window, std::unique_ptr<OneShotTimer> timer);
    ~FullScreenToggleSequencer();

    FullScreenToggleSequencer(const FullScreenToggleSequencer &) = delete;
    FullScreenToggleSequencer &operator=(const FullScreenToggleSequencer &) = delete;

    // A new toggle replaces the stages of one still running.
    void toggle();
    bool isChangingFullScreen() const { return m_isChangingFullScreen; }

private:
    void changeState();
    void endTransition();

    StagedFullScreenWindow &m_window;
    std::unique_ptr<OneShotTimer> m_timer;
    bool m_isChangingFullScreen = false;
    bool m_targetFullScreen = false;
};
