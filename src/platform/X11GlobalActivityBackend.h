#pragma once

#include "platform/X11ModifierMap.h"
#include "platform/XcbHandles.h"
#include "services/InputActivityBackend.h"

#include <QSocketNotifier>
#include <QTimer>
#include <optional>

// Input of the whole X11 session, from raw XInput 2 events of all master devices on a connection of its
// own, read on the main thread. Pointer moves that XTEST injects with absolute positions (remote
// desktops) make no raw event, so the server's idle time is polled too and a drop counts as activity.
class X11GlobalActivityBackend : public InputActivityBackend
{
public:
    X11GlobalActivityBackend();
    ~X11GlobalActivityBackend() override;

    bool install(std::function<void()> onEvent) override;
    void remove() override;

private:
    bool selectRawEvents();
    void readEvents();
    void pollIdleTime();
    // Handles the events xcb holds (and, with readSocket, those waiting on the socket); true when any
    // was activity.
    bool drainEvents(bool readSocket);
    bool handle(const xcb_generic_event_t *event);
    // Calls onEvent as the last step of a handler, since the owner may remove this backend from it.
    void report();

    XcbConnection m_connection;
    xcb_window_t m_root = XCB_NONE;
    uint8_t m_inputOpcode = 0;
    X11ModifierMap m_modifiers;
    // Deleted later: remove() may run from within the notifier's own signal.
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_idlePoll;
    std::optional<uint32_t> m_lastIdleMs;
    // Any raw event (releases and modifiers included) since the last idle poll: such input already
    // explains a drop of the idle time.
    bool m_rawInputSincePoll = false;
    std::function<void()> m_onEvent;
};
