#pragma once

#include "core/InputActivityBackend.h"
#include "platform/ActivitySpan.h"

#include <QSocketNotifier>
#include <memory>

struct ext_idle_notification_v1;
struct ext_idle_notifier_v1;
struct wl_display;
struct wl_seat;

// Input of the whole session from a Wayland compositor that offers ext-idle-notify-v1 (KDE Plasma,
// wlroots-based ones), on a connection of its own, read on the main thread. Two notifications tell the
// edges: one without delay idles at once and resumes on the next input (activity began; it is made anew
// after each idle moment), one idles after a second without input (activity stopped).
class IdleNotifyActivityBackend : public InputActivityBackend
{
public:
    ~IdleNotifyActivityBackend() override;

    // Whether the compositor of this session offers the protocol and a seat.
    static bool isOffered();

    bool install(std::function<void()> onEvent) override;
    void remove() override;
    void tick() override { m_span.tick(); }

private:
    static const struct ext_idle_notification_v1_listener beginListener;
    static const struct ext_idle_notification_v1_listener endListener;

    void armBeginWatch();
    void readEvents();

    wl_display *m_display = nullptr;
    wl_seat *m_seat = nullptr;
    ext_idle_notifier_v1 *m_notifier = nullptr;
    ext_idle_notification_v1 *m_beginWatch = nullptr;
    ext_idle_notification_v1 *m_endWatch = nullptr;
    std::unique_ptr<QSocketNotifier> m_socket;
    // Input resumed while events were dispatched; reported once the dispatch has returned, since the
    // report may remove this backend and with it the connection being dispatched.
    bool m_resumed = false;
    ActivitySpan m_span;
};
