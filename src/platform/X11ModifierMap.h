#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

// The server's modifier map: which keys are modifiers and which modifier bit each one sets.
class X11ModifierMap
{
public:
    // Reads the map; an unreadable map is empty.
    static X11ModifierMap read(xcb_connection_t *connection);

    // Whether the key is bound to any modifier (Shift, Control, Caps Lock, Alt, Super ...).
    bool isModifierKey(xcb_keycode_t keycode) const;

    // The state bit of the first modifier bound to a key that produces one of the symbols, or 0.
    uint16_t maskProducing(xcb_key_symbols_t *symbols, std::initializer_list<xcb_keysym_t> keysyms) const;

private:
    static constexpr int modifierCount = 8;
    std::array<std::vector<xcb_keycode_t>, modifierCount> m_keysByModifier;
};
