#pragma once

// The main window floats above others only while keep-on-top is on and it is neither full screen nor
// on its way in or out of it: a floating window would cover the full-screen space or the transition.
constexpr bool windowStaysAbove(bool keepWindowOnTop, bool isChangingFullScreen, bool isFullScreen)
{
    return keepWindowOnTop && !isChangingFullScreen && !isFullScreen;
}
