#pragma once

#include <QByteArray>

// What one start of the program asks for: which view to bring forward, and the token the desktop's
// launcher gave that start, with which the window may take the focus and the launcher's "starting…"
// notice ends. A later start sends it to the copy that runs.
struct LaunchRequest
{
    // none: started hidden, for the tray.
    enum class View { none, mainWindow, statistics, journal };

    View view = View::mainWindow;
    // DESKTOP_STARTUP_ID under X11, XDG_ACTIVATION_TOKEN under Wayland; empty when none was given.
    QByteArray activationToken;

    QByteArray encode() const;
    // Anything it cannot read asks for the main window, as a bare connection does.
    static LaunchRequest decode(const QByteArray &data);

    friend bool operator==(const LaunchRequest &, const LaunchRequest &) = default;
};
