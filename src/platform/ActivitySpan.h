#pragma once

#include <functional>

// Turns a compositor's two notices, "the user became active" and "the user has been idle for a moment",
// into the reports of an activity source: one at once when activity begins, then one each tick while it
// lasts, as steady input would give.
class ActivitySpan
{
public:
    // Starts inactive: only a notice of activity begins a span.
    void start(std::function<void()> onActivity);
    void stop();

    // Reports unless a span is running already. Call it as the last step of a handler: the owner may stop
    // this from within the report.
    void begin();
    void end() { m_active = false; }
    void tick();

private:
    void report();

    std::function<void()> m_onActivity;
    bool m_active = false;
};
