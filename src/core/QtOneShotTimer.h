#pragma once

#include "core/OneShotTimer.h"

#include <QTimer>

// A one-shot timer on the Qt event loop of the thread that owns it.
class QtOneShotTimer : public OneShotTimer
{
public:
    // A precise timer keeps to the millisecond where a coarse one may fire up to 5 % early.
    explicit QtOneShotTimer(Qt::TimerType type = Qt::CoarseTimer);

    void start(std::chrono::milliseconds delay, std::function<void()> action) override;
    void cancel() override;
    bool isPending() const override;

private:
    QTimer m_timer;
    std::function<void()> m_action;
};
