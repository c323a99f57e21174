#pragma once

#include <QPointer>
#include <QWindow>
#include <memory>
#include <vector>

struct wl_display;
struct xdg_activation_token_v1;
struct xdg_activation_v1;

// Asks a Wayland compositor to activate a window with a token requested for that window's own surface, on
// Qt's connection. Qt activates only with a token it was handed, and the compositor hears nothing without
// one. A token asked for without a recent input serial does not let the window take the focus, but every
// compositor then at least marks the window (sway's urgent workspace, KWin's demands-attention, GNOME's
// "is ready").
class WaylandActivationRequest
{
public:
    WaylandActivationRequest();
    ~WaylandActivationRequest();

    WaylandActivationRequest(const WaylandActivationRequest &) = delete;
    WaylandActivationRequest &operator=(const WaylandActivationRequest &) = delete;

    // False where the window is not a Wayland window or the compositor offers no activation.
    bool request(QWindow &window);

private:
    struct Pending
    {
        WaylandActivationRequest *owner;
        xdg_activation_token_v1 *token;
        QPointer<QWindow> window;
    };

    static void tokenDone(void *data, xdg_activation_token_v1 *, const char *token);

    wl_display *m_display = nullptr;
    xdg_activation_v1 *m_activation = nullptr;
    bool m_bound = false;
    std::vector<std::unique_ptr<Pending>> m_pending;
};
