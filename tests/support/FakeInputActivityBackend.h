#pragma once

#include "core/InputActivityBackend.h"

// An event source the test drives by hand; it can refuse to install.
class FakeInputActivityBackend : public InputActivityBackend
{
public:
    bool install(std::function<void()> onEvent) override
    {
        if (!canInstall)
            return false;
        m_onEvent = std::move(onEvent);
        ++installations;
        return true;
    }
    void remove() override { m_onEvent = nullptr; }
    void tick() override
    {
        ++ticks;
        // Input a real source held back since its last report, handed over at the tick.
        if (fireAtTick)
            fire();
    }

    bool isWithheld() const override { return withheld; }
    bool isInstalled() const { return bool(m_onEvent); }
    // An input event; ignored while not installed, as a real source would.
    void fire()
    {
        if (m_onEvent)
            m_onEvent();
    }

    bool canInstall = true;
    int installations = 0;
    int ticks = 0;
    bool fireAtTick = false;
    bool withheld = false;

private:
    std::function<void()> m_onEvent;
};
