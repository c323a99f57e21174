#pragma once

#include "core/AccessibilityTrust.h"

// Trust the test grants or withholds; it remembers whether anything prompted.
class FakeAccessibilityTrust : public AccessibilityTrust
{
public:
    bool isTrusted() override { return trusted; }
    bool requestTrust() override
    {
        prompted = true;
        return trusted;
    }

    bool trusted = true;
    bool prompted = false;
};
