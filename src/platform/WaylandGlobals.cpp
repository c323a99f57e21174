#include "platform/WaylandGlobals.h"

#include <cstring>
#include <wayland-client.h>

namespace {

struct Wanted
{
    std::vector<const wl_interface *> interfaces;
    std::vector<void *> bound;
};

void handleGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    auto *wanted = static_cast<Wanted *>(data);
    for (size_t index = 0; index < wanted->interfaces.size(); ++index) {
        if (!wanted->bound[index] && std::strcmp(interface, wanted->interfaces[index]->name) == 0)
            wanted->bound[index] = wl_registry_bind(registry, name, wanted->interfaces[index], 1);
    }
}

void handleGlobalRemove(void *, wl_registry *, uint32_t) { }

const wl_registry_listener registryListener { handleGlobal, handleGlobalRemove };

} // namespace

std::vector<void *> bindWaylandGlobals(
    wl_display *display, std::initializer_list<const wl_interface *> interfaces)
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
