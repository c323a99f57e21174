#include "platform/X11AboveState.h"

#include "platform/XcbHandles.h"

#include <QGuiApplication>
#include <QList>
#include <QWindow>

namespace {

// EWMH's actions; the toggle is never sent, so the outcome never depends on the state before.
constexpr uint32_t removeState = 0;
constexpr uint32_t addState = 1;
constexpr uint32_t fromApplication = 1;

} // namespace

X11AboveState::X11AboveState()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return;
    m_connection = x11->connection();
    m_state = internAtom(m_connection, "_NET_WM_STATE");
    m_above = internAtom(m_connection, "_NET_WM_STATE_ABOVE");
}

void X11AboveState::set(QWindow &window, bool above) const
{
    if (!m_connection || m_state == XCB_ATOM_NONE || m_above == XCB_ATOM_NONE || !window.handle())
        return;
    const auto id = xcb_window_t(window.winId());
    if (window.isVisible())
        request(id, above);
    else
        writeProperty(id, above);
    xcb_flush(m_connection);
}

void X11AboveState::request(xcb_window_t window, bool above) const
{
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
    if (!tree)
        return;
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = m_state;
    message.data.data32[0] = above ? addState : removeState;
    message.data.data32[1] = m_above;
    message.data.data32[3] = fromApplication;
    xcb_send_event(m_connection, 0, tree->root,
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&message));
}

void X11AboveState::writeProperty(xcb_window_t window, bool above) const
{
    QList<xcb_atom_t> states;
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_state, XCB_ATOM_ATOM, 0, 1024), nullptr));
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        states = QList<xcb_atom_t>(
            values, values + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t));
    }
    states.removeAll(m_above);
    if (above)
        states.append(m_above);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, m_state, XCB_ATOM_ATOM, 32,
        uint32_t(states.size()), states.constData());
}
