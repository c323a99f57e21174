#pragma once

#include "core/KeyboardGrabBackend.h"
#include "platform/MainThreadHeartbeat.h"
#include "platform/XcbHandles.h"

#include <QObject>
#include <atomic>
#include <chrono>
#include <thread>
#include <xcb/xcb_keysyms.h>

// Grabs the keyboard on the root window from a connection of its own, served by a thread of its own, so
// that no key reaches any window (this application's included) however busy the main thread is. The
// thread ungrabs at once on Control + Alt + Super + Escape. It also ungrabs when the main thread stops
// answering for the watchdog time, so that a hung program never keeps the keyboard, and grabs again once
// the main thread answers.
class X11KeyboardGrab : public KeyboardGrabBackend
{
public:
    explicit X11KeyboardGrab(std::chrono::milliseconds watchdogTimeout = std::chrono::seconds(3));
    ~X11KeyboardGrab() override;

    X11KeyboardGrab(const X11KeyboardGrab &) = delete;
    X11KeyboardGrab &operator=(const X11KeyboardGrab &) = delete;

    bool grab(std::function<void()> onEmergencyChord) override;
    void release() override;
    void setOnConfirmKey(std::function<void()> onConfirmKey) override;

private:
    struct Modifiers
    {
        uint16_t alt = 0;
        uint16_t super = 0;
    };

    // The thread's loop: swallows key events, watches for the chord and keeps the watchdog.
    void serve(unsigned session);
    bool isEmergencyChord(const xcb_key_press_event_t *event) const;
    bool isConfirmKey(const xcb_key_press_event_t *event) const;
    void readModifiers();
    // One attempt; true when this connection now holds the grab.
    bool tryGrab();
    // Gives the keyboard back and waits until the server has done so.
    void ungrab();
    void wakeThread();
    void finishEmergency(unsigned session);
    void confirm(unsigned session);

    // Receives what the thread posts to the main thread; posts still pending die with it.
    QObject m_mainThreadContext;
    MainThreadHeartbeat m_heartbeat;
    XcbConnection m_connection;
    xcb_window_t m_root = XCB_NONE;
    xcb_key_symbols_t *m_symbols = nullptr;
    Modifiers m_modifiers;
    int m_wakeDescriptor = -1;
    std::atomic<bool> m_stopRequested { false };
    std::thread m_thread;
    // Counts grabs, so that a chord posted by an earlier grab cannot end a later one.
    unsigned m_session = 0;
    std::function<void()> m_onEmergencyChord;
    std::function<void()> m_onConfirmKey;
};
