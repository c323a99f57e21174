#pragma once

// The desktop's alert sound, behind a seam so that the music player can be tested silently.
class SystemBeep
{
public:
    virtual ~SystemBeep() = default;
    virtual void beep() = 0;
};
