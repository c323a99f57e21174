#pragma once

#include <initializer_list>
#include <vector>

struct wl_display;
struct wl_interface;

// Binds the first global of each interface that the compositor announces (at version 1), in one round
// trip on a queue of its own, so that nobody else's events are dispatched meanwhile. The bound objects
// then belong to the display's default queue. An interface the compositor lacks gives a null; no answer
// at all gives an empty list.
std::vector<void *> bindWaylandGlobals(
    wl_display *display, std::initializer_list<const wl_interface *> interfaces);
