#pragma once

#include "core/AccessibilityTrust.h"

#include <functional>

// Input access in a Wayland session: the compositor tells this process when the user becomes active and
// when idle. There is no dialog to grant it; the break's hold on the keyboard needs nothing beyond the
// program's own window.
class CompositorInputAccessTrust : public AccessibilityTrust
{
public:
    explicit CompositorInputAccessTrust(std::function<bool()> compositorAnswers)
        : m_compositorAnswers(std::move(compositorAnswers))
    { }

    bool isTrusted() override { return m_compositorAnswers(); }
    // Asking again only checks again.
    bool requestTrust() override { return isTrusted(); }

private:
    std::function<bool()> m_compositorAnswers;
};
