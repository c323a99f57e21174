#pragma once

#include "core/InputActivityBackend.h"
#include "platform/ActivitySpan.h"

#include <QSocketNotifier>
#include <cstdint>
#include <memory>

struct ext_idle_notification_v1;
struct ext_idle_notification_v1_listener;
struct ext_idle_notifier_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct org_kde_kwin_idle_timeout_listener;
struct wl_display;
struct wl_interface;
struct wl_seat;

// The two idle protocols differ only in their names and in the shortest watch a compositor honours.
struct ExtIdleNotifyProtocol
{
    using Manager = ext_idle_notifier_v1;
    using Watch = ext_idle_notification_v1;
    using Listener = ext_idle_notification_v1_listener;
    // Idles at once and resumes on the next input.
    static constexpr uint32_t shortWatchMs = 0;
};

struct KdeIdleProtocol
{
    using Manager = org_kde_kwin_idle;
    using Watch = org_kde_kwin_idle_timeout;
    using Listener = org_kde_kwin_idle_timeout_listener;
    // Compositors disarm a timeout of zero instead of idling at once, hence the millisecond.
    static constexpr uint32_t shortWatchMs = 1;
};

// Input of the whole session from a Wayland compositor's idle watches, on a connection of its own, read on
// the main thread. A short watch idles at once and resumes on the next input. A compositor tells no
// idleness while another program inhibits it (a playing video), and with version 1 of ext-idle-notify-v1
// or with org_kde_kwin_idle no input either; the inhibitor's start resumes every watch as input would. So
// input is fresh only once a watch made after it idles again: then the compositor still tells, and the
// input was the user's. While a span of activity lasts, a watch is made anew at the tick after each input
// it told, so that input keeps telling the span it goes on; a second without fresh input ends it. A short
// watch that does not idle for seconds says that the compositor is held, and the source reports itself
// withheld. Version 2's input watches ignore inhibitors.
template<typename Protocol> class WaylandIdleBackend : public InputActivityBackend
{
public:
    WaylandIdleBackend();
    ~WaylandIdleBackend() override;

    // Whether the compositor of this session offers the protocol and a seat.
    static bool isOffered();

    bool install(std::function<void()> onEvent) override;
    void remove() override;
    void tick() override;
    bool isWithheld() const override { return m_withheld; }

private:
    using Watch = typename Protocol::Watch;

    static const typename Protocol::Listener watchListener;

    static void watchIdled(void *data, Watch *);
    static void watchResumed(void *data, Watch *);

    void armWatch();
    void readEvents();

    wl_display *m_display = nullptr;
    wl_seat *m_seat = nullptr;
    typename Protocol::Manager *m_manager = nullptr;
    Watch *m_watch = nullptr;
    bool m_watchIdled = false;
    int m_ticksSinceArmed = 0;
    bool m_withheld = false;
    std::unique_ptr<QSocketNotifier> m_socket;
    // A watch resumed; the next watch's idling confirms it as the user's input.
    bool m_inputToConfirm = false;
    // Input confirmed while events were dispatched; reported once the dispatch has returned, since the
    // report may remove this backend and with it the connection being dispatched.
    bool m_inputConfirmed = false;
    ActivitySpan m_span;
};

// ext-idle-notify-v1: KDE Plasma and wlroots-based compositors.
using IdleNotifyActivityBackend = WaylandIdleBackend<ExtIdleNotifyProtocol>;
// The older org_kde_kwin_idle: sway 1.7, KWin before ext-idle-notify-v1.
using KdeIdleActivityBackend = WaylandIdleBackend<KdeIdleProtocol>;

extern template class WaylandIdleBackend<ExtIdleNotifyProtocol>;
extern template class WaylandIdleBackend<KdeIdleProtocol>;
