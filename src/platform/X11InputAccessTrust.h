#pragma once

#include "core/AccessibilityTrust.h"

// X11 input access: an X11 display can be reached and offers the X Input extension 2.2 or later, which the
// activity monitor (raw events) and the keyboard lock need. A Wayland session's compatibility server does
// not count: it neither sees the input of Wayland windows nor lets a grab keep the keyboard from them.
class X11InputAccessTrust : public AccessibilityTrust
{
public:
    bool isTrusted() override;
    // X11 has no permission dialog: asking again only checks again.
    bool requestTrust() override;
};
