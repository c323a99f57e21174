#pragma once

#include "core/InputActivityBackend.h"
#include "platform/X11ModifierMap.h"
#include "platform/XcbHandles.h"

#include <QSocketNotifier>
#include <optional>

// Input of the whole X11 session, from raw XInput 2 events of all master devices on a connection of its
// own, read on the main thread. Pointer moves that XTEST injects with absolute positions (remote
// desktops) make no raw event, so the server's idle time is polled too and a drop counts as activity.
// Nobody needs a second report within a tick, so after reporting activity the socket is left unread until
// the next tick, which reads what came meanwhile in one go: steady input wakes the main thread about once
// a tick instead of once an event.
class X11GlobalActivityBackend : public InputActivityBackend
{
public:
    ~X11GlobalActivityBackend() override;

    bool install(std::function<void()> onEvent) override;
    void remove() override;
    void tick() override;

private:
    bool selectRawEvents();
    void readEvents();
    // True when the idle time dropped without a raw event to explain it, or raw events came with the reply.
    bool pollIdleTime();
    // Handles the events xcb holds (and, with readSocket, those waiting on the socket); true when any
    // was activity.
    bool drainEvents(bool readSocket);
    bool handle(const xcb_generic_event_t *event);
    // Stops reading the socket until the next tick, then reports. Calls onEvent as the last step of a
    // handler, since the owner may remove this backend from it.
    void reportAndHoldBack();

    XcbConnection m_connection;
    xcb_window_t m_root = XCB_NONE;
    uint8_t m_inputOpcode = 0;
    X11ModifierMap m_modifiers;
    // Deleted later: remove() may run from within the notifier's own signal.
    QSocketNotifier *m_notifier = nullptr;
    // The socket is left unread since a report, until the next tick.
    bool m_heldBack = false;
    bool m_canPollIdleTime = false;
    int m_ticksSinceIdlePoll = 0;
    std::optional<uint32_t> m_lastIdleMs;
    // Any raw event (releases and modifiers included) since the last idle poll: such input already
    // explains a drop of the idle time.
    bool m_rawInputSincePoll = false;
    std::function<void()> m_onEvent;
};
