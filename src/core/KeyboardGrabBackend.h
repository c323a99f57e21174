#pragma once

#include <functional>

// Takes every key event of the session away from all applications (this one included) and gives it back.
// The mouse is never affected. While grabbed, Control + Alt + Super + Escape is the way out.
class KeyboardGrabBackend
{
public:
    virtual ~KeyboardGrabBackend() = default;

    // Grabs the keyboard; false when it cannot (the caller stays unlocked). When the user presses the
    // emergency chord, the keyboard is given back at once and onEmergencyChord runs later on the main
    // thread, never after release().
    virtual bool grab(std::function<void()> onEmergencyChord) = 0;

    // Gives the keyboard back. Safe to call when not grabbed.
    virtual void release() = 0;
};
