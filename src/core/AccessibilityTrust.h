#pragma once

// Whether the desktop lets this process observe input of the whole session and take the keyboard away
// from every application. Without it neither the activity monitor nor the keyboard lock can work.
class AccessibilityTrust
{
public:
    virtual ~AccessibilityTrust() = default;

    // Asks quietly: never shows anything to the user.
    virtual bool isTrusted() = 0;

    // Asks and lets the desktop prompt the user where it has a way to. The answer may still be no.
    virtual bool requestTrust() = 0;
};
