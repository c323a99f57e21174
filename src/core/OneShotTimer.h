#pragma once

#include <chrono>
#include <functional>

// Runs one action once after a delay, on the owner's thread. Injected where a delay decides behaviour,
// so that tests move time by hand instead of waiting.
class OneShotTimer
{
public:
    virtual ~OneShotTimer() = default;

    // Starting while an action is pending replaces it: only the newest action runs.
    virtual void start(std::chrono::milliseconds delay, std::function<void()> action) = 0;
    // The pending action, if any, never runs.
    virtual void cancel() = 0;
    virtual bool isPending() const = 0;
};
