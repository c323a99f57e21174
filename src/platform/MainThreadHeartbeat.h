#pragma once

#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>

// Beats on the main thread while started, so that a thread of its own can tell when the main thread has
// stopped answering for longer than the timeout, and give back what the program holds of the desktop.
class MainThreadHeartbeat
{
public:
    explicit MainThreadHeartbeat(std::chrono::milliseconds timeout);

    // Beats at once and then a few times per timeout; onBeat, when set, runs on the main thread with every
    // beat after the first.
    void start(std::function<void()> onBeat = nullptr);
    void stop();

    // Safe from any thread.
    bool hasStalled() const;

private:
    void beat();

    const std::chrono::milliseconds m_timeout;
    QTimer m_timer;
    std::function<void()> m_onBeat;
    std::atomic<std::chrono::steady_clock::rep> m_lastBeat { 0 };
};
