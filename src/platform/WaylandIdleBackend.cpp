#include "platform/WaylandIdleBackend.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"
#include "platform/WaylandGlobals.h"

#include <QLoggingCategory>
#include <utility>
#include <wayland-client.h>

namespace {

Q_LOGGING_CATEGORY(idleWatch, "quorvane.input")

// A span of activity ends after a second without fresh input, in the owner's 0.25 s ticks: the shortest
// pause worth telling apart from typing.
constexpr int quietTicksEndingSpan = 4;
// A short watch idles within a moment of the last input; one that stays unidled for this long (5 s) is
// held by an inhibitor, since nobody's input comes without a millisecond's gap for so long.
constexpr int ticksNotIdledWithheld = 20;
// An inhibitor that starts while the user is away changes nothing an idle watch tells; a watch made anew
// every two seconds shows it, at the cost of two messages.
constexpr int ticksIdledBeforeProbe = 8;

const wl_interface *managerInterface(ext_idle_notifier_v1 *)
{
    return &ext_idle_notifier_v1_interface;
}

const wl_interface *managerInterface(org_kde_kwin_idle *)
{
    return &org_kde_kwin_idle_interface;
}

uint32_t newestVersion(ext_idle_notifier_v1 *)
{
    return uint32_t(ext_idle_notifier_v1_interface.version);
}

uint32_t newestVersion(org_kde_kwin_idle *)
{
    return 1;
}

ext_idle_notification_v1 *newWatch(ext_idle_notifier_v1 *manager, wl_seat *seat, uint32_t idleMs)
{
#ifdef EXT_IDLE_NOTIFIER_V1_GET_INPUT_IDLE_NOTIFICATION_SINCE_VERSION
    // Only the user's input, whatever inhibits idleness.
    if (ext_idle_notifier_v1_get_version(manager)
        >= EXT_IDLE_NOTIFIER_V1_GET_INPUT_IDLE_NOTIFICATION_SINCE_VERSION)
        return ext_idle_notifier_v1_get_input_idle_notification(manager, idleMs, seat);
#endif
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

template<typename Protocol>
const typename Protocol::Listener WaylandIdleBackend<Protocol>::watchListener { watchIdled, watchResumed };

template<typename Protocol> void WaylandIdleBackend<Protocol>::watchIdled(void *data, Watch *)
{
    auto *self = static_cast<WaylandIdleBackend *>(data);
    self->m_watchIdled = true;
    if (std::exchange(self->m_withheld, false))
        qCInfo(idleWatch, "The compositor tells input again");
    self->m_inputConfirmed = std::exchange(self->m_inputToConfirm, false);
}

template<typename Protocol> void WaylandIdleBackend<Protocol>::watchResumed(void *data, Watch *)
{
    auto *self = static_cast<WaylandIdleBackend *>(data);
    // Gone at once: a watch that stays would tell every further key.
    destroy(self->m_watch);
    self->m_watch = nullptr;
    self->m_inputToConfirm = true;
    // A span already running waits for its tick, so that steady input makes a watch a tick at most.
    if (!self->m_span.isActive())
        self->armWatch();
}

template<typename Protocol>
WaylandIdleBackend<Protocol>::WaylandIdleBackend()
    : m_span(quietTicksEndingSpan)
{ }

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
    const std::vector<void *> globals = bindWaylandGlobals(
        m_display, { &wl_seat_interface, { managerInterface(m_manager), newestVersion(m_manager) } });
    if (!globals.empty()) {
        m_seat = static_cast<wl_seat *>(globals[0]);
        m_manager = static_cast<typename Protocol::Manager *>(globals[1]);
    }
    if (!m_seat || !m_manager) {
        remove();
        return false;
    }
    armWatch();
    m_span.start(std::move(onEvent));
    m_socket = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    QObject::connect(m_socket.get(), &QSocketNotifier::activated, m_socket.get(), [this] { readEvents(); });
    return true;
}

template<typename Protocol> void WaylandIdleBackend<Protocol>::remove()
{
    m_span.stop();
    m_inputToConfirm = false;
    m_inputConfirmed = false;
    m_withheld = false;
    if (m_socket) {
        // remove() may run from within the notifier's own signal.
        m_socket->setEnabled(false);
        m_socket.release()->deleteLater();
    }
    if (m_watch)
        destroy(m_watch);
    if (m_manager)
        destroy(m_manager);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_display)
        wl_display_disconnect(m_display);
    m_watch = nullptr;
    m_manager = nullptr;
    m_seat = nullptr;
    m_display = nullptr;
}

template<typename Protocol> void WaylandIdleBackend<Protocol>::tick()
{
    // Nothing to watch before install() or once the compositor is gone.
    if (!m_socket || !m_socket->isEnabled())
        return;
    m_span.tick();
    ++m_ticksSinceArmed;
    if (m_watch && m_watchIdled && m_ticksSinceArmed >= ticksIdledBeforeProbe) {
        destroy(m_watch);
        m_watch = nullptr;
    }
    if (m_watch && !m_watchIdled) {
        // The user's input is confirmed within moments; what resumed without being confirmed for a second
        // was the start of an inhibitor.
        if (m_ticksSinceArmed >= quietTicksEndingSpan)
            m_inputToConfirm = false;
        if (m_ticksSinceArmed >= ticksNotIdledWithheld && !m_withheld) {
            qCInfo(idleWatch, "The compositor withholds input while another program keeps the screen awake");
            m_withheld = true;
            m_span.end();
        }
    }
    if (m_span.isActive() || m_inputToConfirm || !m_watch)
        armWatch();
}

template<typename Protocol> void WaylandIdleBackend<Protocol>::armWatch()
{
    if (m_watch)
        return;
    m_watch = newWatch(m_manager, m_seat, Protocol::shortWatchMs);
    listen(m_watch, &watchListener, this);
    m_watchIdled = false;
    m_ticksSinceArmed = 0;
    wl_display_flush(m_display);
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
    if (std::exchange(m_inputConfirmed, false))
        m_span.begin();
}

template class WaylandIdleBackend<ExtIdleNotifyProtocol>;
template class WaylandIdleBackend<KdeIdleProtocol>;
