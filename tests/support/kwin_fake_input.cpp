// Injects input into KWin through its org_kde_kwin_fake_input, which the compositor treats as a device of
// its own (idle notifications, keyboard focus and shortcuts see it as a user's input): it presses the Linux
// key codes it is given in order, then releases them in reverse.
#include "fake-input-client-protocol.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <wayland-client.h>

namespace {

constexpr uint32_t keyboardSince = 4;

void announced(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        *static_cast<org_kde_kwin_fake_input **>(data)
            = static_cast<org_kde_kwin_fake_input *>(wl_registry_bind(
                registry, name, &org_kde_kwin_fake_input_interface, std::min(version, keyboardSince)));
    }
}

const wl_registry_listener registryListener { announced, [](void *, wl_registry *, uint32_t) {} };

} // namespace

int main(int argc, char **argv)
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display || argc < 2)
        return 2;
    org_kde_kwin_fake_input *input = nullptr;
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &input);
    wl_display_roundtrip(display);
    if (!input || org_kde_kwin_fake_input_get_version(input) < keyboardSince)
        return 3;
    org_kde_kwin_fake_input_authenticate(input, "Quorvane tests", "A user's input, played back");
    for (int i = 1; i < argc; ++i)
        org_kde_kwin_fake_input_keyboard_key(
            input, std::strtoul(argv[i], nullptr, 10), WL_KEYBOARD_KEY_STATE_PRESSED);
    for (int i = argc - 1; i > 0; --i)
        org_kde_kwin_fake_input_keyboard_key(
            input, std::strtoul(argv[i], nullptr, 10), WL_KEYBOARD_KEY_STATE_RELEASED);
    const int sent = wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return sent < 0 ? 1 : 0;
}
