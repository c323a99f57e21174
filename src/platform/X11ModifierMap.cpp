#include "platform/X11ModifierMap.h"

#include "platform/XcbHandles.h"

#include <algorithm>

X11ModifierMap X11ModifierMap::read(xcb_connection_t *connection)
{
    X11ModifierMap map;
    const XcbReply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!reply)
        return map;
    const xcb_keycode_t *keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < modifierCount; ++modifier) {
        for (int index = 0; index < perModifier; ++index) {
            const xcb_keycode_t keycode = keycodes[modifier * perModifier + index];
            if (keycode != 0)
                map.m_keysByModifier[modifier].push_back(keycode);
        }
    }
    return map;
}

bool X11ModifierMap::isModifierKey(xcb_keycode_t keycode) const
{
    return std::any_of(m_keysByModifier.begin(), m_keysByModifier.end(),
        [keycode](const auto &keys) { return std::find(keys.begin(), keys.end(), keycode) != keys.end(); });
}

uint16_t X11ModifierMap::maskProducing(
    xcb_key_symbols_t *symbols, std::initializer_list<xcb_keysym_t> keysyms) const
{
    // The first two columns hold the plain and the shifted symbol, which is where modifier symbols live.
    constexpr int columns = 2;
    for (int modifier = 0; modifier < modifierCount; ++modifier) {
        for (const xcb_keycode_t keycode : m_keysByModifier[modifier]) {
            for (int column = 0; column < columns; ++column) {
                const xcb_keysym_t keysym = xcb_key_symbols_get_keysym(symbols, keycode, column);
                if (std::find(keysyms.begin(), keysyms.end(), keysym) != keysyms.end())
                    return static_cast<uint16_t>(1U << modifier);
            }
        }
    }
    return 0;
}
