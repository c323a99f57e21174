#include "platform/X11KeyboardGrab.h"

#include "platform/X11ModifierMap.h"

#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

constexpr xcb_keysym_t keysymEscape = 0xff1b;
constexpr xcb_keysym_t keysymReturn = 0xff0d;
constexpr xcb_keysym_t keysymEnter = 0xff8d;
constexpr xcb_keysym_t keysymSpace = 0x0020;
constexpr xcb_keysym_t keysymMetaL = 0xffe7;
constexpr xcb_keysym_t keysymMetaR = 0xffe8;
constexpr xcb_keysym_t keysymAltL = 0xffe9;
constexpr xcb_keysym_t keysymAltR = 0xffea;
constexpr xcb_keysym_t keysymSuperL = 0xffeb;
constexpr xcb_keysym_t keysymSuperR = 0xffec;

// Another client's open menu holds a grab for a moment; wait that long before giving up.
constexpr int grabAttempts = 20;
constexpr auto grabRetryDelay = 50ms;
// How often the thread looks at the watchdog when no event wakes it.
constexpr int watchdogCheckIntervalMs = 100;

} // namespace

X11KeyboardGrab::X11KeyboardGrab(std::chrono::milliseconds watchdogTimeout)
    : m_heartbeat(watchdogTimeout)
{ }

X11KeyboardGrab::~X11KeyboardGrab()
{
    release();
}

bool X11KeyboardGrab::grab(std::function<void()> onEmergencyChord)
{
    release();
    m_connection.reset(xcb_connect(nullptr, nullptr));
    xcb_connection_t *connection = m_connection.get();
    if (xcb_connection_has_error(connection)) {
        m_connection.reset();
        return false;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    m_symbols = xcb_key_symbols_alloc(connection);
    readModifiers();

    bool grabbed = tryGrab();
    for (int attempt = 1; !grabbed && attempt < grabAttempts; ++attempt) {
        std::this_thread::sleep_for(grabRetryDelay);
        grabbed = tryGrab();
    }
    m_wakeDescriptor = grabbed ? eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK) : -1;
    if (m_wakeDescriptor < 0) {
        if (grabbed)
            ungrab();
        release();
        return false;
    }

    m_onEmergencyChord = std::move(onEmergencyChord);
    m_stopRequested = false;
    m_heartbeat.start();
    m_thread = std::thread([this, session = m_session] { serve(session); });
    return true;
}

void X11KeyboardGrab::release()
{
    ++m_session;
    if (m_thread.joinable()) {
        m_stopRequested = true;
        wakeThread();
        m_thread.join();
    }
    m_heartbeat.stop();
    if (m_wakeDescriptor >= 0)
        close(m_wakeDescriptor);
    m_wakeDescriptor = -1;
    if (m_symbols)
        xcb_key_symbols_free(m_symbols);
    m_symbols = nullptr;
    m_connection.reset();
    m_onEmergencyChord = nullptr;
}

void X11KeyboardGrab::serve(unsigned session)
{
    xcb_connection_t *connection = m_connection.get();
    bool grabbed = true;
    pollfd descriptors[2]
        = { { xcb_get_file_descriptor(connection), POLLIN, 0 }, { m_wakeDescriptor, POLLIN, 0 } };
    while (!m_stopRequested) {
        // Every key event comes here while grabbed and goes no further.
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_KEY_PRESS && grabbed
                && isEmergencyChord(reinterpret_cast<const xcb_key_press_event_t *>(event))) {
                std::free(event);
                ungrab();
                QMetaObject::invokeMethod(
                    &m_mainThreadContext, [this, session] { finishEmergency(session); },
                    Qt::QueuedConnection);
                return;
            }
            if (type == XCB_KEY_PRESS && grabbed
                && isConfirmKey(reinterpret_cast<const xcb_key_press_event_t *>(event))) {
                QMetaObject::invokeMethod(
                    &m_mainThreadContext, [this, session] { confirm(session); }, Qt::QueuedConnection);
            }
            if (type == XCB_MAPPING_NOTIFY) {
                xcb_refresh_keyboard_mapping(
                    m_symbols, reinterpret_cast<xcb_mapping_notify_event_t *>(event));
                readModifiers();
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection))
            return;

        const bool mainThreadAnswers = !m_heartbeat.hasStalled();
        if (grabbed && !mainThreadAnswers) {
            ungrab();
            grabbed = false;
        } else if (!grabbed && mainThreadAnswers) {
            grabbed = tryGrab();
        }
        poll(descriptors, 2, watchdogCheckIntervalMs);
    }
    if (grabbed)
        ungrab();
}

bool X11KeyboardGrab::isEmergencyChord(const xcb_key_press_event_t *event) const
{
    if (xcb_key_symbols_get_keysym(m_symbols, event->detail, 0) != keysymEscape)
        return false;
    const uint16_t chord = XCB_MOD_MASK_CONTROL | m_modifiers.alt | m_modifiers.super;
    return (event->state & chord) == chord;
}

bool X11KeyboardGrab::isConfirmKey(const xcb_key_press_event_t *event) const
{
    const xcb_keysym_t key = xcb_key_symbols_get_keysym(m_symbols, event->detail, 0);
    const uint16_t modifiers
        = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | m_modifiers.alt | m_modifiers.super;
    return (key == keysymReturn || key == keysymEnter || key == keysymSpace)
        && (event->state & modifiers) == 0;
}

void X11KeyboardGrab::readModifiers()
{
    const X11ModifierMap map = X11ModifierMap::read(m_connection.get());
    // The usual bindings stand in when the map binds no such key.
    m_modifiers.alt = map.maskProducing(m_symbols, { keysymAltL, keysymAltR, keysymMetaL, keysymMetaR });
    if (m_modifiers.alt == 0)
        m_modifiers.alt = XCB_MOD_MASK_1;
    m_modifiers.super = map.maskProducing(m_symbols, { keysymSuperL, keysymSuperR });
    if (m_modifiers.super == 0)
        m_modifiers.super = XCB_MOD_MASK_4;
}

bool X11KeyboardGrab::tryGrab()
{
    xcb_connection_t *connection = m_connection.get();
    // Owner events off: even this application's own windows get no key.
    const XcbReply<xcb_grab_keyboard_reply_t> reply(xcb_grab_keyboard_reply(connection,
        xcb_grab_keyboard(connection, 0, m_root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
        nullptr));
    return reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
}

void X11KeyboardGrab::ungrab()
{
    xcb_connection_t *connection = m_connection.get();
    xcb_ungrab_keyboard(connection, XCB_CURRENT_TIME);
    const XcbReply<xcb_get_input_focus_reply_t> roundTrip(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

void X11KeyboardGrab::wakeThread()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_wakeDescriptor, &one, sizeof one);
}

void X11KeyboardGrab::setOnConfirmKey(std::function<void()> onConfirmKey)
{
    m_onConfirmKey = std::move(onConfirmKey);
}

void X11KeyboardGrab::confirm(unsigned session)
{
    if (session == m_session && m_onConfirmKey)
        m_onConfirmKey();
}

void X11KeyboardGrab::finishEmergency(unsigned session)
{
    if (session != m_session)
        return;
    // A copy: the callback is expected to release(), which drops the stored one.
    const std::function<void()> callback = m_onEmergencyChord;
    if (callback)
        callback();
}
