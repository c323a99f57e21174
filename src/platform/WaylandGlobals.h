#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

struct wl_display;
struct wl_interface;

// An interface to bind, at the newest of its versions that both sides know, up to `newestVersion`.
struct WaylandGlobal
{
    WaylandGlobal(const wl_interface *interface, uint32_t newestVersion = 1)
        : interface(interface)
        , newestVersion(newestVersion)
    { }

    const wl_interface *interface;
    uint32_t newestVersion;
};

// Binds the first global of each interface that the compositor announces, in one round trip on a queue of
// its own, so that nobody else's events are dispatched meanwhile. The bound objects then belong to the
// display's default queue. An interface the compositor lacks gives a null; no answer at all gives an
// empty list.
std::vector<void *> bindWaylandGlobals(wl_display *display, std::initializer_list<WaylandGlobal> interfaces);
