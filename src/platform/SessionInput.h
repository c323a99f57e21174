#pragma once

#include "core/AccessibilityTrust.h"
#include "core/InputActivityBackend.h"
#include "core/KeyboardGrabBackend.h"

#include <memory>

class MainWindowControl;

// Where the session's input activity comes from and how the break holds the keyboard, chosen once at
// start by what the session offers: GNOME's idle monitor, else a compositor's ext-idle-notify-v1, else its
// older org_kde_kwin_idle, else X11 (an X11 session, or the compatibility server of a Wayland session when
// nothing better exists). On Qt's Wayland platform the break can only be the focused window.
struct SessionInput
{
    std::unique_ptr<AccessibilityTrust> trust;
    std::unique_ptr<InputActivityBackend> globalActivity;
    std::unique_ptr<KeyboardGrabBackend> keyboardGrab;

    static SessionInput choose(MainWindowControl &window);
};
