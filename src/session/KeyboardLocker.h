#pragma once

#include "core/AccessibilityTrust.h"
#include "core/KeyboardGrabBackend.h"

#include <functional>
#include <memory>

// Takes the keyboard away from the whole session during a break, leaving the mouse free. Control + Alt +
// Super + Escape always gets out: it unlocks and calls onEmergencyUnlock.
class KeyboardLocker
{
public:
    KeyboardLocker(AccessibilityTrust &trust, std::unique_ptr<KeyboardGrabBackend> backend);
    ~KeyboardLocker();

    KeyboardLocker(const KeyboardLocker &) = delete;
    KeyboardLocker &operator=(const KeyboardLocker &) = delete;

    // True when the keyboard is locked, also when it already was. A grab that needs trust fails without it
    // and never prompts.
    bool lock();

    // Gives the keyboard back; safe to call when not locked.
    void unlock();

    bool isLocked() const { return m_isLocked; }
    KeyboardHold hold() const { return m_backend->hold(); }

    // Called on the main thread after the emergency chord has unlocked the keyboard.
    std::function<void()> onEmergencyUnlock;
    // Called on the main thread when Return, Enter or Space is pressed while locked.
    std::function<void()> onConfirmKey;
    // Called on the main thread when what the lock holds changes.
    std::function<void()> onHoldChanged;

private:
    void handleEmergencyChord();

    AccessibilityTrust &m_trust;
    std::unique_ptr<KeyboardGrabBackend> m_backend;
    bool m_isLocked = false;
};
