#pragma once

#include "core/InputActivityBackend.h"
#include "platform/ActivitySpan.h"

#include <QSocketNotifier>
#include <memory>

struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct wl_display;
struct wl_seat;

// Input of the whole session from a Wayland compositor that offers only the older org_kde_kwin_idle (sway
// 1.7, KWin before ext-idle-notify-v1), on a connection of its own, read on the main thread. Two timeouts
// tell the edges: a one-millisecond one resumes on the next input (activity began; it is made anew after
// each idle moment), one idles after a second without input (activity stopped). Compositors disarm a
// timeout of zero instead of idling at once, hence the millisecond.
class KdeIdleActivityBackend : public InputActivityBackend
{
public:
    ~KdeIdleActivityBackend() override;

    // Whether the compositor of this session offers the protocol and a seat.
    static bool isOffered();

    bool install(std::function<void()> onEvent) override;
    void remove() override;
    void tick() override { m_span.tick(); }

private:
    static const struct org_kde_kwin_idle_timeout_listener beginListener;
    static const struct org_kde_kwin_idle_timeout_listener endListener;

    void armBeginWatch();
    void readEvents();

    wl_display *m_display = nullptr;
    wl_seat *m_seat = nullptr;
    org_kde_kwin_idle *m_idle = nullptr;
    org_kde_kwin_idle_timeout *m_beginWatch = nullptr;
    org_kde_kwin_idle_timeout *m_endWatch = nullptr;
    std::unique_ptr<QSocketNotifier> m_socket;
    // Input resumed while events were dispatched; reported once the dispatch has returned, since the
    // report may remove this backend and with it the connection being dispatched.
    bool m_resumed = false;
    ActivitySpan m_span;
};
