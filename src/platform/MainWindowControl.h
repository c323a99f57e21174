#pragma once

#include "core/WindowControl.h"

#include <QPointer>
#include <QWindow>

// The main window as the controller drives it; the window is handed over once the views are loaded.
class MainWindowControl : public WindowControl
{
public:
    void setWindow(QWindow *window);
    QWindow *window() const { return m_window; }

    void bringForward() override;
    // Under Wayland a token that the compositor gave another client (a notification server) for this
    // window lets it take the focus; empty: as bringForward().
    void bringForward(const QString &activationToken);
    void enterFullScreen() override;

private:
    QPointer<QWindow> m_window;
};
