#pragma once

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

// Owners for what xcb hands out: a connection closes itself, a reply frees itself.
struct XcbDisconnect
{
    void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
};
using XcbConnection = std::unique_ptr<xcb_connection_t, XcbDisconnect>;

struct XcbFree
{
    void operator()(void *pointer) const { std::free(pointer); }
};
template<typename T> using XcbReply = std::unique_ptr<T, XcbFree>;
