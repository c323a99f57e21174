#pragma once

#include <functional>

// Turns a compositor's notices that the user is active into the reports of an activity source: one at once
// when activity begins, then one each tick while it lasts, as steady input would give. A source whose
// compositor tells when input stops ends the span itself; one that can only tell fresh input gives the
// span a number of ticks after which, without a fresh notice, the user counts as gone.
class ActivitySpan
{
public:
    // 0: the span lasts until end().
    explicit ActivitySpan(int endAfterQuietTicks = 0)
        : m_endAfterQuietTicks(endAfterQuietTicks)
    { }

    // Starts inactive: only a notice of activity begins a span.
    void start(std::function<void()> onActivity);
    void stop();

    // Fresh activity: reports unless a span is running already, which it keeps open. Call it as the last
    // step of a handler: the owner may stop this from within the report.
    void begin();
    void end() { m_active = false; }
    void tick();
    bool isActive() const { return m_active; }

private:
    void report();

    int m_endAfterQuietTicks;
    int m_quietTicks = 0;
    std::function<void()> m_onActivity;
    bool m_active = false;
};
