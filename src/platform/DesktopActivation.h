#pragma once

#include <QByteArray>
#include <functional>

// The token a desktop's launcher gives each program it starts. A later start hands its token to the copy
// that runs, whose window comes forward with it: a compositor lets a window take the focus only with a
// token (Wayland), and a launcher shows "starting…" until the started program says it is there (X11).
namespace DesktopActivation {

// DESKTOP_STARTUP_ID or XDG_ACTIVATION_TOKEN as this start was given it; empty when none.
QByteArray launcherToken();

// Runs `bringForward` with `token` given to the display: on Wayland the window's activation uses it, on
// X11 the launcher's startup notification ends after it.
void bringForwardWith(const QByteArray &token, const std::function<void()> &bringForward);

// Ends the launcher's "starting…" notice of `token` (X11) where no window maps to end it: a start that
// stays in the tray.
void endStartupNotice(const QByteArray &token);

} // namespace DesktopActivation
