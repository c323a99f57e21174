#include "platform/DesktopActivation.h"

#include "platform/XcbHandles.h"

#include <QGuiApplication>

namespace {

// Each client message carries 20 bytes of the message; the first is marked as its beginning.
void sendStartupMessage(xcb_connection_t *connection, const QByteArray &message)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t begin = internAtom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = internAtom(connection, "_NET_STARTUP_INFO");
    if (!screen || begin == XCB_ATOM_NONE || more == XCB_ATOM_NONE)
        return;
    const QByteArray terminated = message + '\0';
    for (qsizetype sent = 0; sent < terminated.size(); sent += 20) {
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = screen->root;
        event.type = sent == 0 ? begin : more;
        const QByteArray part = terminated.mid(sent, 20);
        std::memcpy(event.data.data8, part.constData(), size_t(part.size()));
        xcb_send_event(connection, 0, screen->root, XCB_EVENT_MASK_PROPERTY_CHANGE,
            reinterpret_cast<const char *>(&event));
    }
    xcb_flush(connection);
}

// The message that ends the launcher's notice of `token`; a value is quoted, its quotes and backslashes
// escaped.
QByteArray startupRemoveMessage(const QByteArray &token)
{
    QByteArray quoted = token;
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    return "remove: ID=\"" + quoted + '"';
}

} // namespace

namespace DesktopActivation {

QByteArray launcherToken()
{
    const QByteArray wayland = qgetenv("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qgetenv("DESKTOP_STARTUP_ID") : wayland;
}

void bringForwardWith(const QByteArray &token, const std::function<void()> &bringForward)
{
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    // Qt's activation request takes the token from there, and clears it once used.
    if (wayland && !token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token);
    bringForward();
    endStartupNotice(token);
}

void endStartupNotice(const QByteArray &token)
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && !token.isEmpty())
        sendStartupMessage(x11->connection(), startupRemoveMessage(token));
}

} // namespace DesktopActivation
