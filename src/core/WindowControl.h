#pragma once

// The main window as the controller drives it.
class WindowControl
{
public:
    virtual ~WindowControl() = default;
    // Raises and activates the main window.
    virtual void bringForward() = 0;
    // Puts the main window into full screen unless it already is.
    virtual void enterFullScreen() = 0;
};
