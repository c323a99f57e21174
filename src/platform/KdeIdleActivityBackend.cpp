#include "platform/KdeIdleActivityBackend.h"

#include "idle-client-protocol.h"
#include "platform/WaylandGlobals.h"

#include <wayland-client.h>

namespace {

// How long without input ends a span of activity: the shortest pause worth telling apart from typing.
constexpr uint32_t idleAfterMs = 1000;
constexpr uint32_t beginWatchMs = 1;

void ignore(void *, org_kde_kwin_idle_timeout *) { }

} // namespace

const org_kde_kwin_idle_timeout_listener KdeIdleActivityBackend::beginListener {
    // Idles a moment after input; only the next input matters.
    ignore,
    [](void *data, org_kde_kwin_idle_timeout *) {
        auto *self = static_cast<KdeIdleActivityBackend *>(data);
        org_kde_kwin_idle_timeout_release(self->m_beginWatch);
        self->m_beginWatch = nullptr;
        self->m_resumed = true;
    },
};

const org_kde_kwin_idle_timeout_listener KdeIdleActivityBackend::endListener {
    [](void *data, org_kde_kwin_idle_timeout *) {
        auto *self = static_cast<KdeIdleActivityBackend *>(data);
        self->m_resumed = false;
        self->m_span.end();
        self->armBeginWatch();
    },
    // The watch of a millisecond tells the same input.
    ignore,
};

KdeIdleActivityBackend::~KdeIdleActivityBackend()
{
    remove();
}

bool KdeIdleActivityBackend::isOffered()
{
    KdeIdleActivityBackend probe;
    return probe.install([] {});
}

bool KdeIdleActivityBackend::install(std::function<void()> onEvent)
{
    remove();
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return false;
    const std::vector<void *> globals
        = bindWaylandGlobals(m_display, { &wl_seat_interface, &org_kde_kwin_idle_interface });
    if (!globals.empty()) {
        m_seat = static_cast<wl_seat *>(globals[0]);
        m_idle = static_cast<org_kde_kwin_idle *>(globals[1]);
    }
    if (!m_seat || !m_idle) {
        remove();
        return false;
    }
    m_endWatch = org_kde_kwin_idle_get_idle_timeout(m_idle, m_seat, idleAfterMs);
    org_kde_kwin_idle_timeout_add_listener(m_endWatch, &endListener, this);
    armBeginWatch();
    wl_display_flush(m_display);
    m_span.start(std::move(onEvent));
    m_socket = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    QObject::connect(m_socket.get(), &QSocketNotifier::activated, m_socket.get(), [this] { readEvents(); });
    return true;
}

void KdeIdleActivityBackend::remove()
{
    m_span.stop();
    m_resumed = false;
    if (m_socket) {
        // remove() may run from within the notifier's own signal.
        m_socket->setEnabled(false);
        m_socket.release()->deleteLater();
    }
    if (m_beginWatch)
        org_kde_kwin_idle_timeout_release(m_beginWatch);
    if (m_endWatch)
        org_kde_kwin_idle_timeout_release(m_endWatch);
    // The global has no destructor request: only the proxy goes.
    if (m_idle)
        org_kde_kwin_idle_destroy(m_idle);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_display)
        wl_display_disconnect(m_display);
    m_beginWatch = nullptr;
    m_endWatch = nullptr;
    m_idle = nullptr;
    m_seat = nullptr;
    m_display = nullptr;
}

void KdeIdleActivityBackend::armBeginWatch()
{
    if (m_beginWatch)
        return;
    m_beginWatch = org_kde_kwin_idle_get_idle_timeout(m_idle, m_seat, beginWatchMs);
    org_kde_kwin_idle_timeout_add_listener(m_beginWatch, &beginListener, this);
}

void KdeIdleActivityBackend::readEvents()
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
