#pragma once

#include "core/QuitQuestion.h"

// The question as a window of its own, so that it can be asked before the main window exists or while it
// is hidden in the tray.
class MessageBoxQuitQuestion : public QuitQuestion
{
public:
    bool confirm(const QString &title, const QString &message, const QString &keepRunning,
        const QString &quit) override;
};
