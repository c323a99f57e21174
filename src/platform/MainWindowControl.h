#pragma once

#include "core/WindowControl.h"
#include "platform/WaylandActivationRequest.h"

#include <QPointer>
#include <QWindow>
#include <functional>

// The main window as the controller drives it. The window is handed over once its views are loaded,
// which may be only when it is first needed: then the maker makes it and hands it over.
class MainWindowControl : public WindowControl
{
public:
    void setWindow(QWindow *window);
    void setWindowMaker(std::function<void()> maker) { m_maker = std::move(maker); }
    // The window, if it is made.
    QWindow *window() const { return m_window; }
    // The window, made now if it is not yet; null when it cannot be made.
    QWindow *madeWindow();

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
    std::function<void()> m_maker;
};
