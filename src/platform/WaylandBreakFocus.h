#pragma once

#include "core/KeyboardGrabBackend.h"
#include "platform/MainThreadHeartbeat.h"

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct wl_display;
struct wl_seat;
struct wl_surface;
struct zwp_keyboard_shortcuts_inhibit_manager_v1;
struct zwp_keyboard_shortcuts_inhibitor_v1;

class MainWindowControl;

// The break's hold on the keyboard in a Wayland session, where no client may take the keyboard from
// others: the main window is raised and activated, and asks the compositor to send it the keys of its
// shortcuts too (Super, Alt+Tab), where the compositor grants that. A click on another window still gives
// that window the keyboard. The window itself sees Control + Alt + Super + Escape and gives the shortcuts
// back; a thread of its own gives them back when the main thread stops answering for the watchdog time,
// and they are asked for again once it answers.
class WaylandBreakFocus : public QObject, public KeyboardGrabBackend
{
public:
    explicit WaylandBreakFocus(
        MainWindowControl &window, std::chrono::milliseconds watchdogTimeout = std::chrono::seconds(3));
    ~WaylandBreakFocus() override;

    WaylandBreakFocus(const WaylandBreakFocus &) = delete;
    WaylandBreakFocus &operator=(const WaylandBreakFocus &) = delete;

    // False only without a window on Qt's Wayland platform.
    bool grab(std::function<void()> onEmergencyChord) override;
    void release() override;
    bool needsInputAccess() const override { return false; }
    // Before a break, the shortcuts where the compositor offers to send them; during one, only while it
    // grants them, which it may do late (after asking the user) and take back (a way out of its own, or
    // another window taking the focus).
    KeyboardHold hold() const override
    {
        const bool held = m_manager && (!m_grabbed || m_inhibitorActive);
        return held ? KeyboardHold::windowAndShortcuts : KeyboardHold::windowOnly;
    }
    void setOnHoldChanged(std::function<void()> onHoldChanged) override
    {
        m_onHoldChanged = std::move(onHoldChanged);
    }
    // The compositor's answer to the request for the shortcuts, on the main thread.
    void followInhibitor(bool active);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool bindGlobals();
    // Asks for the shortcuts of the window's current surface, once it has one; a new surface (the window
    // was hidden and shown again) needs a new request.
    void requestInhibitor();
    void dropInhibitor();
    void dropInhibitorLocked();
    void watch();

    MainWindowControl &m_window;
    MainThreadHeartbeat m_heartbeat;
    // Qt's connection, bound once.
    wl_display *m_display = nullptr;
    zwp_keyboard_shortcuts_inhibit_manager_v1 *m_manager = nullptr;
    wl_seat *m_seat = nullptr;
    // Both guarded by the mutex: the watchdog drops the inhibitor from its own thread.
    std::mutex m_mutex;
    zwp_keyboard_shortcuts_inhibitor_v1 *m_inhibitor = nullptr;
    wl_surface *m_inhibitedSurface = nullptr;
    std::atomic<bool> m_inhibitorActive = false;
    std::function<void()> m_onHoldChanged;
    std::condition_variable m_wake;
    bool m_stopRequested = false;
    std::thread m_thread;
    // Counts grabs, so that a chord seen during an earlier grab cannot end a later one.
    unsigned m_session = 0;
    bool m_grabbed = false;
    std::function<void()> m_onEmergencyChord;
};
