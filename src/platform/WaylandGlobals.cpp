#include "platform/WaylandGlobals.h"

#include <algorithm>
#include <cstring>
#include <wayland-client.h>

namespace {

struct Wanted
{
    std::vector<WaylandGlobal> interfaces;
    std::vector<void *> bound;
};

void handleGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    auto *wanted = static_cast<Wanted *>(data);
    for (size_t index = 0; index < wanted->interfaces.size(); ++index) {
        const WaylandGlobal &global = wanted->interfaces[index];
        if (wanted->bound[index] || std::strcmp(interface, global.interface->name) != 0)
            continue;
        const uint32_t agreed
            = std::min({ version, uint32_t(global.interface->version), global.newestVersion });
        wanted->bound[index] = wl_registry_bind(registry, name, global.interface, agreed);
    }
}

void handleGlobalRemove(void *, wl_registry *, uint32_t) { }

const wl_registry_listener registryListener { handleGlobal, handleGlobalRemove };

} // namespace

std::vector<void *> bindWaylandGlobals(wl_display *display, std::initializer_list<WaylandGlobal> interfaces)
{
    Wanted wanted { interfaces, std::vector<void *>(interfaces.size(), nullptr) };
    wl_event_queue *queue = wl_display_create_queue(display);
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue);
    wl_registry *registry = wl_display_get_registry(wrapper);
    wl_registry_add_listener(registry, &registryListener, &wanted);
    const bool answered = wl_display_roundtrip_queue(display, queue) >= 0;
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(wrapper);
    for (void *proxy : wanted.bound) {
        if (proxy)
            wl_proxy_set_queue(static_cast<wl_proxy *>(proxy), nullptr);
    }
    wl_event_queue_destroy(queue);
    if (!answered) {
        for (void *proxy : wanted.bound) {
            if (proxy)
                wl_proxy_destroy(static_cast<wl_proxy *>(proxy));
        }
        return {};
    }
    return wanted.bound;
}
