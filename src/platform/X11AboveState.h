#pragma once

#include <xcb/xcb.h>

class QWindow;

// The window manager's "above" state of a window, the way EWMH asks for it: a request to the root window
// while the window is mapped, its own _NET_WM_STATE property while it is not (the toolkit merges that
// property with its own states when it maps the window). Only this class touches the state; the
// toolkit's stays-on-top flag is never used, because changing it re-creates a mapped window.
//
// It speaks on the toolkit's own connection, so its requests keep their order with the toolkit's map.
// Off X11 it does nothing.
class X11AboveState
{
public:
    X11AboveState();

    void set(QWindow &window, bool above) const;

private:
    void request(xcb_window_t window, bool above) const;
    void writeProperty(xcb_window_t window, bool above) const;

    xcb_connection_t *m_connection = nullptr;
    xcb_atom_t m_state = XCB_ATOM_NONE;
    xcb_atom_t m_above = XCB_ATOM_NONE;
};
