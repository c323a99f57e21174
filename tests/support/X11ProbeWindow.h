#pragma once

#include "platform/XcbHandles.h"

#include <QList>
#include <QTest>
#include <cstdlib>
#include <xcb/xcb.h>

constexpr int probeX = 200;
constexpr int probeY = 150;
constexpr int probeSize = 300;

// Another client's window that holds the input focus and records the keys and clicks that reach it.
class ProbeWindow
{
public:
    ProbeWindow()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        xcb_connection_t *connection = m_connection.get();
        if (xcb_connection_has_error(connection))
            return;
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        m_root = screen->root;
        m_window = xcb_generate_id(connection);
        const uint32_t values[] = { screen->white_pixel, 1,
            XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_BUTTON_PRESS
                | XCB_EVENT_MASK_STRUCTURE_NOTIFY };
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_window, m_root, probeX, probeY, probeSize,
            probeSize, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
            XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
        xcb_map_window(connection, m_window);
        xcb_flush(connection);
    }

    bool isUsable() const { return !xcb_connection_has_error(m_connection.get()) && m_window != XCB_NONE; }

    // Waits until the window is on screen, then gives it the focus.
    bool takeFocus()
    {
        const bool mapped = QTest::qWaitFor(
            [this] {
                readEvents();
                return m_mapped;
            },
            10000);
        if (!mapped)
            return false;
        xcb_set_input_focus(m_connection.get(), XCB_INPUT_FOCUS_POINTER_ROOT, m_window, XCB_CURRENT_TIME);
        const XcbReply<xcb_get_input_focus_reply_t> focus(
            xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
        return focus && focus->focus == m_window;
    }

    void forget()
    {
        readEvents();
        keycodes.clear();
        releasedKeycodes.clear();
        clicks = 0;
    }

    void readEvents()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection.get())) {
            switch (event->response_type & 0x7f) {
            case XCB_KEY_PRESS:
                keycodes.append(reinterpret_cast<xcb_key_press_event_t *>(event)->detail);
                break;
            case XCB_KEY_RELEASE:
                releasedKeycodes.append(reinterpret_cast<xcb_key_release_event_t *>(event)->detail);
                break;
            case XCB_BUTTON_PRESS:
                ++clicks;
                break;
            case XCB_MAP_NOTIFY:
                m_mapped = true;
                break;
            default:
                break;
            }
            std::free(event);
        }
    }

    // Waits for a click, which comes after any key injected before it.
    bool waitForClick()
    {
        return QTest::qWaitFor(
            [this] {
                readEvents();
                return clicks > 0;
            },
            10000);
    }

    xcb_grab_status_t grabKeyboard()
    {
        const XcbReply<xcb_grab_keyboard_reply_t> reply(xcb_grab_keyboard_reply(m_connection.get(),
            xcb_grab_keyboard(
                m_connection.get(), 0, m_window, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr));
        return reply ? static_cast<xcb_grab_status_t>(reply->status) : XCB_GRAB_STATUS_NOT_VIEWABLE;
    }

    void ungrabKeyboard()
    {
        xcb_ungrab_keyboard(m_connection.get(), XCB_CURRENT_TIME);
        const XcbReply<xcb_get_input_focus_reply_t> roundTrip(
            xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
    }

    // Whether another client holds the keyboard right now; takes and gives back the grab when not.
    bool keyboardIsHeldElsewhere()
    {
        if (grabKeyboard() != XCB_GRAB_STATUS_SUCCESS)
            return true;
        ungrabKeyboard();
        return false;
    }

    // Pressed keys, in order.
    QList<xcb_keycode_t> keycodes;
    QList<xcb_keycode_t> releasedKeycodes;
    int clicks = 0;

private:
    XcbConnection m_connection;
    xcb_window_t m_root = XCB_NONE;
    xcb_window_t m_window = XCB_NONE;
    bool m_mapped = false;
};
