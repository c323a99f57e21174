#pragma once

#include "core/SystemBeep.h"

// Counts the beeps it is asked for instead of sounding them.
class CountingBeep : public SystemBeep
{
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};
