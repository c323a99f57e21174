#pragma once

#include "core/WindowControl.h"

#include <QPointer>
#include <QWindow>

// The main window as the controller drives it; the window is handed over once the views are loaded.
class MainWindowControl : public WindowControl
{
public:
    void setWindow(QWindow *window) { m_window = window; }
    QWindow *window() const { return m_window; }

    void bringForward() override;
    void enterFullScreen() override;

private:
    QPointer<QWindow> m_window;
};
