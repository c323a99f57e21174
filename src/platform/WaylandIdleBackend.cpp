#include "platform/WaylandIdleBackend.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"
#include "platform/WaylandGlobals.h"

#include <wayland-client.h>

namespace {

// How long without input ends a span of activity: the shortest pause worth telling apart from typing.
constexpr uint32_t idleAfterMs = 1000;

const wl_interface *managerInterface(ext_idle_notifier_v1 *)
{
    return &ext_idle_notifier_v1_interface;
}

const wl_interface *managerInterface(org_kde_kwin_idle *)
{
    return &org_kde_kwin_idle_interface;
}

ext_idle_notification_v1 *newWatch(ext_idle_notifier_v1 *manager, wl_seat *seat, uint32_t idleMs)
{
    return ext_idle_notifier_v1_get_idle_notification(manager, idleMs, seat);
}

org_kde_kwin_idle_timeout *newWatch(org_kde_kwin_idle *manager, wl_seat *seat, uint32_t idleMs)
{
    return org_kde_kwin_idle_get_idle_timeout(manager, seat, idleMs);
}

void listen(ext_idle_notification_v1 *watch, const ext_idle_notification_v1_listener *listener, void *data)
{
    ext_idle_notification_v1_add_listener(watch, listener, data);
}

void listen(org_kde_kwin_idle_timeout *watch, const org_kde_kwin_idle_timeout_listener *listener, void *data)
{
    org_kde_kwin_idle_timeout_add_listener(watch, listener, data);
}

void destroy(ext_idle_notification_v1 *watch)
{
    ext_idle_notification_v1_destroy(watch);
}

void destroy(org_kde_kwin_idle_timeout *watch)
{
    org_kde_kwin_idle_timeout_release(watch);
}

void destroy(ext_idle_notifier_v1 *manager)
{
    ext_idle_notifier_v1_destroy(manager);
}

void destroy(org_kde_kwin_idle *manager)
{
    // The global has no destructor request: only the proxy goes.
    org_kde_kwin_idle_destroy(manager);
}

} // namespace

// The short watch idles at once; only the next input matters.
template<typename Protocol>
const typename Protocol::Listener WaylandIdleBackend<Protocol>::beginListener { ignore, beginWatchResumed };

// The short watch tells the same input.
template<typename Protocol>
const typename Protocol::Listener WaylandIdleBackend<Protocol>::endListener { endWatchIdled, ignore };

template<typename Protocol> void WaylandIdleBackend<Protocol>::beginWatchResumed(void *data, Watch *)
{
    auto *self = static_cast<WaylandIdleBackend *>(data);
    destroy(self->m_beginWatch);
    self->m_beginWatch = nullptr;
    self->m_resumed = true;
}

template<typename Protocol> void WaylandIdleBackend<Protocol>::endWatchIdled(void *data, Watch *)
{
    auto *self = static_cast<WaylandIdleBackend *>(data);
    self->m_resumed = false;
    self->m_span.end();
    self->armBeginWatch();
}

template<typename Protocol> WaylandIdleBackend<Protocol>::~WaylandIdleBackend()
{
    remove();
}

template<typename Protocol> bool WaylandIdleBackend<Protocol>::isOffered()
{
    WaylandIdleBackend probe;
    return probe.install([] {});
}

template<typename Protocol> bool WaylandIdleBackend<Protocol>::install(std::function<void()> onEvent)
{
    remove();
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return false;
    const std::vector<void *> globals
        = bindWaylandGlobals(m_display, { &wl_seat_interface, managerInterface(m_manager) });
    if (!globals.empty()) {
        m_seat = static_cast<wl_seat *>(globals[0]);
        m_manager = static_cast<typename Protocol::Manager *>(globals[1]);
    }
    if (!m_seat || !m_manager) {
        remove();
        return false;
    }
    m_endWatch = newWatch(m_manager, m_seat, idleAfterMs);
    listen(m_endWatch, &endListener, this);
    armBeginWatch();
    wl_display_flush(m_display);
    m_span.start(std::move(onEvent));
    m_socket = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    QObject::connect(m_socket.get(), &QSocketNotifier::activated, m_socket.get(), [this] { readEvents(); });
    return true;
}

template<typename Protocol> void WaylandIdleBackend<Protocol>::remove()
{
    m_span.stop();
    m_resumed = false;
    if (m_socket) {
        // remove() may run from within the notifier's own signal.
        m_socket->setEnabled(false);
        m_socket.release()->deleteLater();
    }
    if (m_beginWatch)
        destroy(m_beginWatch);
    if (m_endWatch)
        destroy(m_endWatch);
    if (m_manager)
        destroy(m_manager);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_display)
        wl_display_disconnect(m_display);
    m_beginWatch = nullptr;
    m_endWatch = nullptr;
    m_manager = nullptr;
    m_seat = nullptr;
    m_display = nullptr;
}

template<typename Protocol> void WaylandIdleBackend<Protocol>::armBeginWatch()
{
    if (m_beginWatch)
        return;
    m_beginWatch = newWatch(m_manager, m_seat, Protocol::beginWatchMs);
    listen(m_beginWatch, &beginListener, this);
}

template<typename Protocol> void WaylandIdleBackend<Protocol>::readEvents()
{
    if (wl_display_dispatch(m_display) < 0) {
        // The compositor is gone; stop listening to a descriptor that would now fire forever.
        m_socket->setEnabled(false);
        m_span.end();
        return;
    }
    wl_display_flush(m_display);
    if (m_resumed) {
        m_resumed = false;
        m_span.begin();
    }
}

template class WaylandIdleBackend<ExtIdleNotifyProtocol>;
template class WaylandIdleBackend<KdeIdleProtocol>;
