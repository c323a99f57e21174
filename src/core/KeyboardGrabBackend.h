#pragma once

#include <functional>

// How much of the keyboard a grab holds: every key of the session (X11), or only what reaches the break
// window, with the desktop's shortcuts where the compositor sends them there too (Wayland).
enum class KeyboardHold { session, windowAndShortcuts, windowOnly };

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

    // While grabbed, Return, Enter or Space pressed alone runs onConfirmKey later on the main thread, never
    // after release(): the only keys the locked break answers, so that its activity can be confirmed without
    // a mouse. A backend that leaves the keys to the program's own window ignores it; the window's key
    // guard answers them there.
    virtual void setOnConfirmKey(std::function<void()> onConfirmKey) { static_cast<void>(onConfirmKey); }

    // Gives the keyboard back. Safe to call when not grabbed.
    virtual void release() = 0;

    // Whether the grab needs the session's input access; a grab through the program's own window does not.
    virtual bool needsInputAccess() const { return true; }

    // What the current grab holds, or before a grab what the next one will ask for.
    virtual KeyboardHold hold() const { return KeyboardHold::session; }

    // Where what the grab holds changes while it lasts (the compositor grants or takes back the
    // shortcuts), onHoldChanged runs on the main thread after each change.
    virtual void setOnHoldChanged(std::function<void()> onHoldChanged) { static_cast<void>(onHoldChanged); }
};
