#include "platform/IdleNotifyActivityBackend.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "platform/WaylandGlobals.h"

#include <wayland-client.h>

namespace {

// How long without input ends a span of activity: the shortest pause worth telling apart from typing.
constexpr uint32_t idleAfterMs = 1000;

void ignore(void *, ext_idle_notification_v1 *) { }

} // namespace

const ext_idle_notification_v1_listener IdleNotifyActivityBackend::beginListener {
    // Idles at once; only the next input matters.
    ignore,
    [](void *data, ext_idle_notification_v1 *) {
        auto *self = static_cast<IdleNotifyActivityBackend *>(data);
        ext_idle_notification_v1_destroy(self->m_beginWatch);
        self->m_beginWatch = nullptr;
        self->m_resumed = true;
    },
};

const ext_idle_notification_v1_listener IdleNotifyActivityBackend::endListener {
    [](void *data, ext_idle_notification_v1 *) {
        auto *self = static_cast<IdleNotifyActivityBackend *>(data);
        self->m_resumed = false;
        self->m_span.end();
        self->armBeginWatch();
    },
    // The watch without delay tells the same input.
    ignore,
};

IdleNotifyActivityBackend::~IdleNotifyActivityBackend()
{
    remove();
}

bool IdleNotifyActivityBackend::isOffered()
{
    IdleNotifyActivityBackend probe;
    return probe.install([] {});
}

bool IdleNotifyActivityBackend::install(std::function<void()> onEvent)
{
    remove();
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return false;
    const std::vector<void *> globals
        = bindWaylandGlobals(m_display, { &wl_seat_interface, &ext_idle_notifier_v1_interface });
    if (!globals.empty()) {
        m_seat = static_cast<wl_seat *>(globals[0]);
        m_notifier = static_cast<ext_idle_notifier_v1 *>(globals[1]);
    }
    if (!m_seat || !m_notifier) {
        remove();
        return false;
    }
    m_endWatch = ext_idle_notifier_v1_get_idle_notification(m_notifier, idleAfterMs, m_seat);
    ext_idle_notification_v1_add_listener(m_endWatch, &endListener, this);
    armBeginWatch();
    wl_display_flush(m_display);
    m_span.start(std::move(onEvent));
    m_socket = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    QObject::connect(m_socket.get(), &QSocketNotifier::activated, m_socket.get(), [this] { readEvents(); });
    return true;
}

void IdleNotifyActivityBackend::remove()
{
    m_span.stop();
    m_resumed = false;
    if (m_socket) {
        // remove() may run from within the notifier's own signal.
        m_socket->setEnabled(false);
        m_socket.release()->deleteLater();
    }
    if (m_beginWatch)
        ext_idle_notification_v1_destroy(m_beginWatch);
    if (m_endWatch)
        ext_idle_notification_v1_destroy(m_endWatch);
    if (m_notifier)
        ext_idle_notifier_v1_destroy(m_notifier);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_display)
        wl_display_disconnect(m_display);
    m_beginWatch = nullptr;
    m_endWatch = nullptr;
    m_notifier = nullptr;
    m_seat = nullptr;
    m_display = nullptr;
}

void IdleNotifyActivityBackend::armBeginWatch()
{
    if (m_beginWatch)
        return;
    m_beginWatch = ext_idle_notifier_v1_get_idle_notification(m_notifier, 0, m_seat);
    ext_idle_notification_v1_add_listener(m_beginWatch, &beginListener, this);
}

void IdleNotifyActivityBackend::readEvents()
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
