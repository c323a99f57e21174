#include "platform/X11InputAccessTrust.h"

#include "platform/XcbHandles.h"

#include <cstring>
#include <string_view>
#include <xcb/xinput.h>

namespace {

bool hasExtension(xcb_connection_t *connection, const char *name)
{
    const XcbReply<xcb_query_extension_reply_t> reply(xcb_query_extension_reply(connection,
        xcb_query_extension(connection, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply && reply->present;
}

bool offersXInput22(xcb_connection_t *connection)
{
    if (!hasExtension(connection, "XInputExtension"))
        return false;
    const XcbReply<xcb_input_xi_query_version_reply_t> version(
        xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 2), nullptr));
    return version
        && (version->major_version > 2 || (version->major_version == 2 && version->minor_version >= 2));
}

// Newer compatibility servers announce themselves with an extension; all of them name their input devices
// "xwayland-pointer:…", "xwayland-keyboard:…".
bool isWaylandCompatibilityServer(xcb_connection_t *connection)
{
    if (hasExtension(connection, "XWAYLAND"))
        return true;
    const XcbReply<xcb_input_xi_query_device_reply_t> devices(xcb_input_xi_query_device_reply(
        connection, xcb_input_xi_query_device(connection, XCB_INPUT_DEVICE_ALL), nullptr));
    if (!devices)
        return false;
    constexpr std::string_view prefix = "xwayland-";
    for (auto device = xcb_input_xi_query_device_infos_iterator(devices.get()); device.rem > 0;
         xcb_input_xi_device_info_next(&device)) {
        const std::string_view name(xcb_input_xi_device_info_name(device.data),
            static_cast<size_t>(xcb_input_xi_device_info_name_length(device.data)));
        if (name.starts_with(prefix))
            return true;
    }
    return false;
}

} // namespace

bool X11InputAccessTrust::isTrusted()
{
    const XcbConnection connection(xcb_connect(nullptr, nullptr));
    return !xcb_connection_has_error(connection.get()) && offersXInput22(connection.get())
        && !isWaylandCompatibilityServer(connection.get());
}

bool X11InputAccessTrust::requestTrust()
{
    return isTrusted();
}
