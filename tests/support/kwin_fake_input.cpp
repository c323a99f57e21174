// Injects input into KWin through its org_kde_kwin_fake_input, which the compositor treats as a device of
// its own (idle notifications, keyboard focus and shortcuts see it as a user's input).
//   kwin_fake_input nudge           moves the pointer one pixel and back
//   kwin_fake_input keys CODE...    presses the Linux key codes in order, then releases them in reverse
#include "fake-input-client-protocol.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>
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
    const std::string_view command = argc > 1 ? argv[1] : "";
    wl_display *display = wl_display_connect(nullptr);
    if (!display || (command != "nudge" && command != "keys"))
        return 2;
    org_kde_kwin_fake_input *input = nullptr;
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &input);
    wl_display_roundtrip(display);
    if (!input || org_kde_kwin_fake_input_get_version(input) < keyboardSince)
        return 3;
    org_kde_kwin_fake_input_authenticate(input, "Quorvane tests", "A user's input, played back");
    if (command == "nudge") {
        org_kde_kwin_fake_input_pointer_motion(input, wl_fixed_from_int(1), 0);
        org_kde_kwin_fake_input_pointer_motion(input, wl_fixed_from_int(-1), 0);
    } else {
        std::vector<uint32_t> keys;
        for (int i = 2; i < argc; ++i)
            keys.push_back(uint32_t(std::strtoul(argv[i], nullptr, 10)));
        for (const uint32_t key : keys)
            org_kde_kwin_fake_input_keyboard_key(input, key, WL_KEYBOARD_KEY_STATE_PRESSED);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            org_kde_kwin_fake_input_keyboard_key(input, *key, WL_KEYBOARD_KEY_STATE_RELEASED);
    }
    const int sent = wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return sent < 0 ? 1 : 0;
}
