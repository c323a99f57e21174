#pragma once

#include "platform/XcbHandles.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QTest>
#include <cstdlib>
#include <xcb/xcb.h>

// One _NET_WM_STATE request sent to the root window.
struct StateRequest
{
    xcb_window_t window = XCB_NONE;
    uint32_t action = 0; // 0 remove, 1 add, 2 toggle
    xcb_atom_t first = XCB_ATOM_NONE;
    xcb_atom_t second = XCB_ATOM_NONE;
    qint64 receivedAtMs = 0; // on the watch's clock
};

// Watches the window manager's side of a window from a connection of its own: the state requests that
// reach the root window (as a window manager would see them) and the window's _NET_WM_STATE property.
class X11WindowStateWatch
{
public:
    X11WindowStateWatch()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection.get()))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data->root;
        // The toolkit sends its own state requests with the structure mask, ours go with the
        // substructure mask, as EWMH asks; a window manager sees both through its redirect.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection.get(), m_root, XCB_CW_EVENT_MASK, &mask);
        state = atom("_NET_WM_STATE");
        above = atom("_NET_WM_STATE_ABOVE");
        fullScreen = atom("_NET_WM_STATE_FULLSCREEN");
        m_moveResize = atom("_NET_WM_MOVERESIZE");
        m_clock.start();
    }

    bool isUsable() const { return !xcb_connection_has_error(m_connection.get()) && state != XCB_ATOM_NONE; }
    qint64 nowMs() const { return m_clock.elapsed(); }

    // The requests about `window` received so far, oldest first.
    QList<StateRequest> requests(xcb_window_t window)
    {
        readEvents();
        QList<StateRequest> found;
        for (const StateRequest &request : std::as_const(m_requests)) {
            if (request.window == window)
                found.append(request);
        }
        return found;
    }

    // How many times `window` asked the window manager to move or resize it interactively.
    qsizetype moveResizeRequests(xcb_window_t window)
    {
        readEvents();
        return m_moveResizes.count(window);
    }

    QList<xcb_atom_t> property(xcb_window_t window) { return atoms(window, state); }

    // A property of `window` that lists atoms, such as _NET_WM_ALLOWED_ACTIONS.
    QList<xcb_atom_t> atoms(xcb_window_t window, xcb_atom_t property)
    {
        const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection.get(),
            xcb_get_property(m_connection.get(), 0, window, property, XCB_ATOM_ATOM, 0, 1024), nullptr));
        if (!reply || reply->format != 32)
            return {};
        const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        return QList<xcb_atom_t>(
            values, values + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t));
    }

    // Waits until a window manager has handled every request sent to it so far: it answers a frame
    // extents request for a window of the watch's, and it reads requests in order.
    bool syncWithManager()
    {
        xcb_connection_t *connection = m_connection.get();
        if (m_syncWindow == XCB_NONE) {
            m_syncWindow = xcb_generate_id(connection);
            xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_syncWindow, m_root, 0, 0, 10, 10, 0,
                XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        }
        const xcb_atom_t extents = atom("_NET_FRAME_EXTENTS");
        xcb_delete_property(connection, m_syncWindow, extents);
        xcb_client_message_event_t message {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = m_syncWindow;
        message.type = atom("_NET_REQUEST_FRAME_EXTENTS");
        xcb_send_event(connection, 0, m_root,
            XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char *>(&message));
        xcb_flush(connection);
        return QTest::qWaitFor(
            [&] {
                const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection,
                    xcb_get_property(connection, 0, m_syncWindow, extents, XCB_ATOM_ANY, 0, 4), nullptr));
                return reply && reply->type != XCB_ATOM_NONE;
            },
            10000);
    }

    bool isMapped(xcb_window_t window)
    {
        const XcbReply<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
            m_connection.get(), xcb_get_window_attributes(m_connection.get(), window), nullptr));
        return reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
    }

    xcb_atom_t state = XCB_ATOM_NONE;
    xcb_atom_t above = XCB_ATOM_NONE;
    xcb_atom_t fullScreen = XCB_ATOM_NONE;

    xcb_atom_t atom(const char *name) { return internAtom(m_connection.get(), name); }

private:
    void readEvents()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection.get())) {
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                const auto *message = reinterpret_cast<xcb_client_message_event_t *>(event);
                if (message->type == state && message->format == 32)
                    m_requests.append({ message->window, message->data.data32[0], message->data.data32[1],
                        message->data.data32[2], m_clock.elapsed() });
                else if (message->type == m_moveResize)
                    m_moveResizes.append(message->window);
            }
            std::free(event);
        }
    }

    XcbConnection m_connection;
    xcb_window_t m_root = XCB_NONE;
    xcb_window_t m_syncWindow = XCB_NONE;
    QElapsedTimer m_clock;
    xcb_atom_t m_moveResize = XCB_ATOM_NONE;
    QList<StateRequest> m_requests;
    QList<xcb_window_t> m_moveResizes;
};
