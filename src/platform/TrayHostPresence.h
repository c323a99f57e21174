#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <xcb/xcb.h>

// Whether a tray host shows the icon now, so that closing the main window may hide it: the icon's menu
// then brings the window back or quits.
//
// Qt's QSystemTrayIcon::isSystemTrayAvailable() answers from the tray window it found last, and forgets
// that window only when it hears of its DestroyNotify. Qt asks to hear of it in a request that waits in
// its buffer until its event loop runs again. A tray host that ends in between (a panel that crashes or
// restarts) is never heard of: Qt then answers "available" for the rest of the run, and a later host
// never gets the icon. On X11, Qt's yes is therefore checked against the hosts themselves. Qt's no is
// final: with no tray window remembered, Qt asks the server afresh.
namespace TrayHostPresence {

struct Signs
{
    bool qtSeesTray = false;
    bool x11 = false;
    // The XEmbed tray selection has an owner on the X server.
    bool xembedHost = false;
    // A StatusNotifier host is registered on the session bus.
    bool statusNotifierHost = false;
};

bool showsIcon(const Signs &signs);

// The XEmbed tray's selection for an X screen, and for the screen DISPLAY names, whose tray Qt uses.
QByteArray xembedSelection(int screen);
QByteArray defaultXembedSelection();

// Whether an XEmbed tray holds that selection on the server of `connection`.
bool xembedSelectionOwned(xcb_connection_t *connection, xcb_atom_t selection);

// Whether the StatusNotifier watcher on `bus` knows of a host; no when nothing answers.
bool statusNotifierHostRegistered(const QDBusConnection &bus);

// Asks Qt, then the X server and the session bus only as far as Qt's yes needs checking.
Signs current();

} // namespace TrayHostPresence
