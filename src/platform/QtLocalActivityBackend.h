#pragma once

#include "core/InputActivityBackend.h"

#include <QObject>

// Input aimed at this application's own windows, seen by an application-wide event filter that lets every
// event through unchanged.
class QtLocalActivityBackend : public QObject, public InputActivityBackend
{
public:
    ~QtLocalActivityBackend() override;

    bool install(std::function<void()> onEvent) override;
    void remove() override;
    // Nothing is held back: the events of this application's windows wake it anyway.
    void tick() override { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_installed = false;
    std::function<void()> m_onEvent;
};
