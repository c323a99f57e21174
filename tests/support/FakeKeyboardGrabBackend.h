#pragma once

#include "core/KeyboardGrabBackend.h"

// A keyboard grab the test drives by hand; it can refuse to grab.
class FakeKeyboardGrabBackend : public KeyboardGrabBackend
{
public:
    bool grab(std::function<void()> onEmergencyChord) override
    {
        if (!canGrab)
            return false;
        m_onEmergencyChord = std::move(onEmergencyChord);
        ++grabs;
        return true;
    }
    void release() override { m_onEmergencyChord = nullptr; }
    // Only the session-wide grab needs input access; a window's hold needs the window alone.
    bool needsInputAccess() const override { return heldAs == KeyboardHold::session; }
    KeyboardHold hold() const override { return heldAs; }
    void setOnHoldChanged(std::function<void()> onHoldChanged) override { m_onHoldChanged = onHoldChanged; }
    void changeHold(KeyboardHold hold) { heldAs = hold, m_onHoldChanged(); }

    bool isGrabbed() const { return bool(m_onEmergencyChord); }
    // The user pressed the emergency chord: the grab is already gone when the owner hears of it.
    void pressEmergencyChord()
    {
        const auto onEmergencyChord = m_onEmergencyChord;
        if (onEmergencyChord)
            onEmergencyChord();
    }

    bool canGrab = true;
    KeyboardHold heldAs = KeyboardHold::session;
    int grabs = 0;

private:
    std::function<void()> m_onEmergencyChord;
    std::function<void()> m_onHoldChanged;
};
