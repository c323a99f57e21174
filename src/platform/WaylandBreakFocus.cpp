#include "platform/WaylandBreakFocus.h"

#include "keyboard-shortcuts-inhibit-unstable-v1-client-protocol.h"
#include "platform/MainWindowControl.h"
#include "platform/WaylandGlobals.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

using namespace std::chrono_literals;

namespace {

Q_LOGGING_CATEGORY(breakFocus, "quorvane.break")

constexpr auto watchdogCheckInterval = 100ms;

void *nativeResource(const char *name, QWindow *window = nullptr)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (!native)
        return nullptr;
    return window ? native->nativeResourceForWindow(name, window)
                  : native->nativeResourceForIntegration(name);
}

// The compositor's answer, which may change while the break lasts (it may ask the user, or give the
// shortcuts back when the user presses its own way out).
const zwp_keyboard_shortcuts_inhibitor_v1_listener inhibitorListener {
    [](void *data, zwp_keyboard_shortcuts_inhibitor_v1 *) {
        qCInfo(breakFocus,
            "The compositor sends the desktop's shortcuts to the break window (inhibitor active)");
        static_cast<WaylandBreakFocus *>(data)->followInhibitor(true);
    },
    [](void *data, zwp_keyboard_shortcuts_inhibitor_v1 *) {
        qCInfo(breakFocus, "The compositor keeps the desktop's shortcuts (inhibitor inactive)");
        static_cast<WaylandBreakFocus *>(data)->followInhibitor(false);
    },
};

bool isEmergencyChord(const QKeyEvent *event)
{
    constexpr Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return event->key() == Qt::Key_Escape && (event->modifiers() & chord) == chord;
}

} // namespace

WaylandBreakFocus::WaylandBreakFocus(MainWindowControl &window, std::chrono::milliseconds watchdogTimeout)
    : m_window(window)
    , m_heartbeat(watchdogTimeout)
{
    // Bound at once, so that what the first break will ask for is known before the first round ends.
    bindGlobals();
}

WaylandBreakFocus::~WaylandBreakFocus()
{
    release();
    if (m_manager)
        zwp_keyboard_shortcuts_inhibit_manager_v1_destroy(m_manager);
    if (m_seat)
        wl_seat_destroy(m_seat);
}

bool WaylandBreakFocus::grab(std::function<void()> onEmergencyChord)
{
    release();
    if (!m_window.madeWindow() || !bindGlobals())
        return false;
    m_inhibitorActive = false;
    if (!m_manager)
        qCInfo(breakFocus, "The compositor offers no way to keep its shortcuts from the break window");
    m_onEmergencyChord = std::move(onEmergencyChord);
    m_grabbed = true;
    // Installed after the views' key guard, so that this filter sees the chord first.
    QCoreApplication::instance()->installEventFilter(this);
    m_window.bringForward();
    requestInhibitor();
    m_stopRequested = false;
    m_heartbeat.start([this] { requestInhibitor(); });
    m_thread = std::thread([this] { watch(); });
    return true;
}

void WaylandBreakFocus::release()
{
    ++m_session;
    if (m_thread.joinable()) {
        {
            const std::lock_guard lock(m_mutex);
            m_stopRequested = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    m_heartbeat.stop();
    const bool wasGrabbed = m_grabbed;
    if (m_grabbed)
        QCoreApplication::instance()->removeEventFilter(this);
    m_grabbed = false;
    dropInhibitor();
    m_onEmergencyChord = nullptr;
    // Back to what the next break will ask for.
    if (wasGrabbed && m_onHoldChanged)
        m_onHoldChanged();
}

bool WaylandBreakFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (m_grabbed && event->type() == QEvent::KeyPress && isEmergencyChord(static_cast<QKeyEvent *>(event))) {
        dropInhibitor();
        QMetaObject::invokeMethod(
            this,
            [this, session = m_session] {
                if (session != m_session)
                    return;
                // A copy: the callback is expected to release(), which drops the stored one.
                const std::function<void()> callback = m_onEmergencyChord;
                if (callback)
                    callback();
            },
            Qt::QueuedConnection);
    }
    // The views' key guard drops the key; this filter only looks.
    return QObject::eventFilter(watched, event);
}

bool WaylandBreakFocus::bindGlobals()
{
    if (m_display)
        return true;
    auto *display = static_cast<wl_display *>(nativeResource("wl_display"));
    if (!display)
        return false;
    const std::vector<void *> globals = bindWaylandGlobals(
        display, { &wl_seat_interface, &zwp_keyboard_shortcuts_inhibit_manager_v1_interface });
    if (globals.empty() || !globals[0])
        return false;
    m_display = display;
    m_seat = static_cast<wl_seat *>(globals[0]);
    m_manager = static_cast<zwp_keyboard_shortcuts_inhibit_manager_v1 *>(globals[1]);
    if (m_manager)
        qCInfo(breakFocus, "The compositor offers to send its shortcuts to the break window");
    return true;
}

void WaylandBreakFocus::requestInhibitor()
{
    if (!m_manager || !m_grabbed)
        return;
    auto *surface = static_cast<wl_surface *>(nativeResource("surface", m_window.window()));
    const std::lock_guard lock(m_mutex);
    if (m_inhibitor && m_inhibitedSurface == surface)
        return;
    dropInhibitorLocked();
    m_inhibitedSurface = surface;
    if (!surface)
        return;
    m_inhibitor = zwp_keyboard_shortcuts_inhibit_manager_v1_inhibit_shortcuts(m_manager, surface, m_seat);
    zwp_keyboard_shortcuts_inhibitor_v1_add_listener(m_inhibitor, &inhibitorListener, this);
    qCInfo(breakFocus, "Asked the compositor for the desktop's shortcuts during the break");
}

void WaylandBreakFocus::dropInhibitor()
{
    const std::lock_guard lock(m_mutex);
    dropInhibitorLocked();
}

void WaylandBreakFocus::dropInhibitorLocked()
{
    if (!m_inhibitor)
        return;
    zwp_keyboard_shortcuts_inhibitor_v1_destroy(m_inhibitor);
    m_inhibitor = nullptr;
    m_inhibitedSurface = nullptr;
    // Sent now: the main thread that would flush it may be the one that hangs.
    wl_display_flush(m_display);
    // Queued: the watchdog's thread drops it too.
    QMetaObject::invokeMethod(
        this, [this] { followInhibitor(false); }, Qt::QueuedConnection);
}

void WaylandBreakFocus::followInhibitor(bool active)
{
    if (m_inhibitorActive.exchange(active) != active && m_onHoldChanged)
        m_onHoldChanged();
}

void WaylandBreakFocus::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopRequested) {
        m_wake.wait_for(lock, watchdogCheckInterval);
        if (m_inhibitor && m_heartbeat.hasStalled())
            dropInhibitorLocked();
    }
}
