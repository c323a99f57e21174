#pragma once

#include "core/SystemBeep.h"

// The desktop's bell, rung through the widget application.
class QtSystemBeep : public SystemBeep
{
public:
    void beep() override;
};
