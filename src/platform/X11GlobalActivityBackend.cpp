#include "platform/X11GlobalActivityBackend.h"

#include <xcb/screensaver.h>
#include <xcb/xinput.h>

namespace {

// Only input that makes no raw event is found by polling the idle time; once a second (every fourth tick of
// 0.25 s) is soon enough for it, and the round trip is skipped while raw events already come.
constexpr int ticksPerIdlePoll = 4;

} // namespace

X11GlobalActivityBackend::~X11GlobalActivityBackend()
{
    delete m_notifier;
    m_notifier = nullptr;
    remove();
}

bool X11GlobalActivityBackend::install(std::function<void()> onEvent)
{
    remove();
    m_connection.reset(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(m_connection.get()) || !selectRawEvents()) {
        m_connection.reset();
        return false;
    }
    m_modifiers = X11ModifierMap::read(m_connection.get());
    m_onEvent = std::move(onEvent);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection.get()), QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { readEvents(); });
    m_canPollIdleTime = xcb_get_extension_data(m_connection.get(), &xcb_screensaver_id)->present;
    return true;
}

void X11GlobalActivityBackend::remove()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    m_connection.reset();
    m_onEvent = nullptr;
    m_lastIdleMs.reset();
    m_rawInputSincePoll = false;
    m_heldBack = false;
    m_canPollIdleTime = false;
    m_ticksSinceIdlePoll = 0;
}

void X11GlobalActivityBackend::tick()
{
    xcb_connection_t *connection = m_connection.get();
    if (!connection || xcb_connection_has_error(connection))
        return;
    bool active = false;
    if (m_heldBack) {
        active = drainEvents(true);
        if (xcb_connection_has_error(connection))
            return;
    }
    if (m_canPollIdleTime && ++m_ticksSinceIdlePoll >= ticksPerIdlePoll) {
        m_ticksSinceIdlePoll = 0;
        active = pollIdleTime() || active;
    }
    if (active) {
        reportAndHoldBack();
        return;
    }
    if (m_heldBack) {
        m_heldBack = false;
        m_notifier->setEnabled(true);
    }
}

bool X11GlobalActivityBackend::selectRawEvents()
{
    xcb_connection_t *connection = m_connection.get();
    const xcb_query_extension_reply_t *input = xcb_get_extension_data(connection, &xcb_input_id);
    if (!input || !input->present)
        return false;
    m_inputOpcode = input->major_opcode;
    // Raw events reach every client that selects them only from XInput 2.1 on; the client must say so.
    const XcbReply<xcb_input_xi_query_version_reply_t> version(
        xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 2), nullptr));
    if (!version || version->major_version < 2 || (version->major_version == 2 && version->minor_version < 2))
        return false;

    m_root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    struct
    {
        xcb_input_event_mask_t head;
        uint32_t mask;
    } selection { { XCB_INPUT_DEVICE_ALL_MASTER, 1 },
        XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE
            | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE
            | XCB_INPUT_XI_EVENT_MASK_RAW_MOTION };
    const XcbReply<xcb_generic_error_t> error(xcb_request_check(
        connection, xcb_input_xi_select_events_checked(connection, m_root, 1, &selection.head)));
    return !error;
}

void X11GlobalActivityBackend::readEvents()
{
    const bool active = drainEvents(true);
    if (xcb_connection_has_error(m_connection.get())) {
        // The server is gone; stop listening to a descriptor that would now fire forever. Ticks see the
        // error too and do nothing.
        m_notifier->setEnabled(false);
        return;
    }
    // One report per batch: a burst of pointer motion costs one call.
    if (active)
        reportAndHoldBack();
}

bool X11GlobalActivityBackend::pollIdleTime()
{
    if (m_rawInputSincePoll) {
        // That input was reported already and explains any drop; the next poll starts a fresh baseline.
        m_rawInputSincePoll = false;
        m_lastIdleMs.reset();
        return false;
    }
    xcb_connection_t *connection = m_connection.get();
    const XcbReply<xcb_screensaver_query_info_reply_t> info(xcb_screensaver_query_info_reply(
        connection, xcb_screensaver_query_info(connection, m_root), nullptr));
    // Raw events that came before the reply belong to input the idle time already includes; those after it
    // stay on the socket for the next interval.
    const bool active = drainEvents(false);
    bool unexplainedDrop = false;
    if (info) {
        const uint32_t idleMs = info->ms_since_user_input;
        unexplainedDrop = m_lastIdleMs && idleMs < *m_lastIdleMs && !m_rawInputSincePoll;
        m_lastIdleMs = idleMs;
        m_rawInputSincePoll = false;
    }
    return active || unexplainedDrop;
}

bool X11GlobalActivityBackend::drainEvents(bool readSocket)
{
    xcb_connection_t *connection = m_connection.get();
    bool active = false;
    while (xcb_generic_event_t *event
        = readSocket ? xcb_poll_for_event(connection) : xcb_poll_for_queued_event(connection)) {
        active = handle(event) || active;
        std::free(event);
    }
    return active;
}

bool X11GlobalActivityBackend::handle(const xcb_generic_event_t *event)
{
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        m_modifiers = X11ModifierMap::read(m_connection.get());
        return false;
    }
    if (type != XCB_GE_GENERIC)
        return false;
    const auto *generic = reinterpret_cast<const xcb_ge_generic_event_t *>(event);
    if (generic->extension != m_inputOpcode)
        return false;
    switch (generic->event_type) {
    case XCB_INPUT_RAW_KEY_PRESS: {
        m_rawInputSincePoll = true;
        const auto *key = reinterpret_cast<const xcb_input_raw_key_press_event_t *>(event);
        return !m_modifiers.isModifierKey(static_cast<xcb_keycode_t>(key->detail));
    }
    case XCB_INPUT_RAW_BUTTON_PRESS:
    case XCB_INPUT_RAW_MOTION:
        m_rawInputSincePoll = true;
        return true;
    case XCB_INPUT_RAW_KEY_RELEASE:
    case XCB_INPUT_RAW_BUTTON_RELEASE:
        m_rawInputSincePoll = true;
        return false;
    default:
        return false;
    }
}

void X11GlobalActivityBackend::reportAndHoldBack()
{
    // The owner takes no second report within a quarter second; what comes meanwhile waits on the socket
    // for the next tick, which also sees any activity the throttle would let through again.
    m_heldBack = true;
    m_notifier->setEnabled(false);
    // A copy, so that the callable outlives a remove() made from within it.
    const std::function<void()> onEvent = m_onEvent;
    onEvent();
}
