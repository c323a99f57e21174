#pragma once

#include "platform/XcbHandles.h"

#include <QList>
#include <QPoint>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

namespace keysym {
constexpr xcb_keysym_t a = 0x61;
constexpr xcb_keysym_t b = 0x62;
constexpr xcb_keysym_t escape = 0xff1b;
constexpr xcb_keysym_t returnKey = 0xff0d;
constexpr xcb_keysym_t keypadEnter = 0xff8d;
constexpr xcb_keysym_t space = 0x20;
constexpr xcb_keysym_t shiftL = 0xffe1;
constexpr xcb_keysym_t controlL = 0xffe3;
constexpr xcb_keysym_t controlR = 0xffe4;
constexpr xcb_keysym_t capsLock = 0xffe5;
constexpr xcb_keysym_t altL = 0xffe9;
constexpr xcb_keysym_t altR = 0xffea;
constexpr xcb_keysym_t superL = 0xffeb;
constexpr xcb_keysym_t superR = 0xffec;
} // namespace keysym

// Keyboard and mouse input injected through XTEST on a connection of its own. The server treats it as
// input from a real device, so it passes through grabs like a user's typing would.
class X11TestInput
{
public:
    X11TestInput()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection.get()))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data->root;
        m_symbols = xcb_key_symbols_alloc(m_connection.get());
    }
    ~X11TestInput()
    {
        releaseAll();
        if (m_symbols)
            xcb_key_symbols_free(m_symbols);
    }
    X11TestInput(const X11TestInput &) = delete;
    X11TestInput &operator=(const X11TestInput &) = delete;

    bool isUsable() const
    {
        return !xcb_connection_has_error(m_connection.get())
            && xcb_get_extension_data(m_connection.get(), &xcb_test_id)->present;
    }

    xcb_window_t root() const { return m_root; }

    xcb_keycode_t keycode(xcb_keysym_t keysym) const
    {
        xcb_keycode_t *codes = xcb_key_symbols_get_keycode(m_symbols, keysym);
        const xcb_keycode_t code = codes ? codes[0] : XCB_NO_SYMBOL;
        std::free(codes);
        return code;
    }

    void press(xcb_keysym_t keysym)
    {
        const xcb_keycode_t code = keycode(keysym);
        fake(XCB_KEY_PRESS, code, 0, 0);
        m_pressedKeys.append(code);
    }
    void release(xcb_keysym_t keysym)
    {
        const xcb_keycode_t code = keycode(keysym);
        fake(XCB_KEY_RELEASE, code, 0, 0);
        m_pressedKeys.removeAll(code);
    }
    void tap(xcb_keysym_t keysym)
    {
        press(keysym);
        release(keysym);
    }
    // Presses the keys in order and releases them in reverse order.
    void chord(std::initializer_list<xcb_keysym_t> keysyms)
    {
        for (const xcb_keysym_t keysym : keysyms)
            press(keysym);
        for (auto keysym = std::rbegin(keysyms); keysym != std::rend(keysyms); ++keysym)
            release(*keysym);
    }

    void moveBy(int dx, int dy) { fake(XCB_MOTION_NOTIFY, 1, dx, dy); }
    void moveTo(int x, int y) { fake(XCB_MOTION_NOTIFY, 0, x, y); }
    // Moves from `from` by `by` in a few steps, as a hand dragging would.
    void moveInSteps(QPoint from, QPoint by)
    {
        constexpr int steps = 5;
        for (int step = 1; step <= steps; ++step)
            moveTo(from.x() + by.x() * step / steps, from.y() + by.y() * step / steps);
    }
    void click(uint8_t button)
    {
        pressButton(button);
        releaseButton(button);
    }
    // Turns the wheel notch by notch (button 4 up, 5 down), each some milliseconds of server time after
    // the one before, as a hand does: a view that measures the wheel's speed drops notches of one instant.
    void turnWheel(uint8_t button, int notches)
    {
        for (int notch = 0; notch < notches; ++notch) {
            fake(XCB_BUTTON_PRESS, button, 0, 0, 8);
            releaseButton(button);
        }
    }
    void pressButton(uint8_t button) { fake(XCB_BUTTON_PRESS, button, 0, 0); }
    void releaseButton(uint8_t button) { fake(XCB_BUTTON_RELEASE, button, 0, 0); }

    // Resets the server's idle time the way a video player keeping the screen awake does: no input event.
    void resetScreenSaver()
    {
        xcb_force_screen_saver(m_connection.get(), XCB_SCREEN_SAVER_RESET);
        xcb_flush(m_connection.get());
    }

    // Returns once the server has processed everything injected so far.
    void sync()
    {
        const XcbReply<xcb_get_input_focus_reply_t> reply(
            xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
    }

    void releaseAll()
    {
        while (!m_pressedKeys.isEmpty())
            fake(XCB_KEY_RELEASE, m_pressedKeys.takeLast(), 0, 0);
        sync();
    }

private:
    // The server holds an event with a delay (in milliseconds) back until that much time has passed.
    void fake(uint8_t type, uint8_t detail, int x, int y, uint32_t delay = XCB_CURRENT_TIME)
    {
        xcb_test_fake_input(m_connection.get(), type, detail, delay, m_root, static_cast<int16_t>(x),
            static_cast<int16_t>(y), 0);
        xcb_flush(m_connection.get());
    }

    XcbConnection m_connection;
    xcb_window_t m_root = XCB_NONE;
    xcb_key_symbols_t *m_symbols = nullptr;
    QList<xcb_keycode_t> m_pressedKeys;
};
