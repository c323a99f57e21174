#pragma once

#include "core/WindowControl.h"
#include "platform/WaylandActivationRequest.h"

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
    // Qt's activation request, with a token of the window's own where Qt was given none.
    void requestActivate(QWindow &window);

    QPointer<QWindow> m_window;
    WaylandActivationRequest m_ownActivation;
};
