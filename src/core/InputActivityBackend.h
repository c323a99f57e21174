#pragma once

#include <functional>

// One source of keyboard and mouse events, either of the whole session or of this application's own
// windows. It only observes: no event is changed or swallowed.
class InputActivityBackend
{
public:
    virtual ~InputActivityBackend() = default;

    // Starts observing. Once this has returned and until remove(), onEvent runs on the main thread whenever
    // a key is pressed (a modifier alone does not count), a mouse button is pressed, the wheel turns or the
    // pointer moves. False when observing is impossible; nothing is then installed.
    virtual bool install(std::function<void()> onEvent) = 0;

    // Stops observing; onEvent is not called again. Safe to call when not installed.
    virtual void remove() = 0;

    // The owner's 0.25 s tick, while installed. A source may hold its input back between two ticks once it
    // has reported activity, and hand over what came meanwhile here; periodic checks run here too, so that
    // a source needs no timer of its own.
    virtual void tick() = 0;

    // The desktop has stopped telling this source of input (another program keeps the screen awake), so
    // activity goes uncounted until it tells again.
    virtual bool isWithheld() const { return false; }
};
