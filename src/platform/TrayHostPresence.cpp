#include "platform/TrayHostPresence.h"

#include "platform/DBusBooleanReply.h"
#include "platform/XcbHandles.h"

#include <QDBusMessage>
#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace TrayHostPresence {

namespace {

// Closing the window waits for the answer; a watcher that hangs must not hold it for long.
constexpr int watcherTimeoutMilliseconds = 1000;

// The screen DISPLAY names, whose tray Qt uses.
int defaultScreen()
{
    char *host = nullptr;
    int display = 0;
    int screen = 0;
    const bool parsed = xcb_parse_display(nullptr, &host, &display, &screen) != 0;
    std::free(host);
    return parsed ? screen : 0;
}

} // namespace

bool showsIcon(const Signs &signs)
{
    if (!signs.qtSeesTray)
        return false;
    if (!signs.x11)
        return true;
    return signs.xembedHost || signs.statusNotifierHost;
}

QByteArray xembedSelection(int screen)
{
    return QByteArrayLiteral("_NET_SYSTEM_TRAY_S") + QByteArray::number(screen);
}

QByteArray defaultXembedSelection()
{
    return xembedSelection(defaultScreen());
}

bool xembedSelectionOwned(xcb_connection_t *connection, xcb_atom_t selection)
{
    if (selection == XCB_ATOM_NONE)
        return false;
    const XcbReply<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}

bool statusNotifierHostRegistered(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(QStringLiteral("org.kde.StatusNotifierWatcher"),
        QStringLiteral("/StatusNotifierWatcher"), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierWatcher")
        << QStringLiteral("IsStatusNotifierHostRegistered");
    QDBusConnection connection = bus;
    return dbusBooleanReply(connection.call(get, QDBus::Block, watcherTimeoutMilliseconds)).value_or(false);
}

Signs current()
{
    Signs signs;
    signs.qtSeesTray = QSystemTrayIcon::isSystemTrayAvailable();
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return signs;
    signs.x11 = true;
    // Qt may just have looked the tray window up: its request to hear of that window's end leaves now,
    // not when the event loop next runs, which narrows the moment in which a dying host goes unheard.
    xcb_flush(x11->connection());
    if (!signs.qtSeesTray)
        return signs;
    signs.xembedHost = xembedSelectionOwned(
        x11->connection(), internAtom(x11->connection(), defaultXembedSelection().constData()));
    if (!signs.xembedHost)
        signs.statusNotifierHost = statusNotifierHostRegistered(QDBusConnection::sessionBus());
    return signs;
}

} // namespace TrayHostPresence
