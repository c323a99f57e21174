#include "platform/WaylandActivationRequest.h"

#include "platform/WaylandGlobals.h"
#include "xdg-activation-v1-client-protocol.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace {

Q_LOGGING_CATEGORY(activation, "quorvane.activation")

} // namespace

WaylandActivationRequest::WaylandActivationRequest() = default;

WaylandActivationRequest::~WaylandActivationRequest()
{
    for (const auto &pending : m_pending)
        xdg_activation_token_v1_destroy(pending->token);
    if (m_activation)
        xdg_activation_v1_destroy(m_activation);
}

bool WaylandActivationRequest::request(QWindow &window)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (!native || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    if (!m_bound) {
        // Looked for once: the compositor's globals do not change for its clients' sake.
        m_bound = true;
        m_display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
        if (m_display) {
            const std::vector<void *> globals
                = bindWaylandGlobals(m_display, { &xdg_activation_v1_interface });
            m_activation = globals.empty() ? nullptr : static_cast<xdg_activation_v1 *>(globals[0]);
        }
    }
    auto *surface = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", &window));
    if (!m_activation || !surface)
        return false;
    auto pending = std::make_unique<Pending>(
        Pending { this, xdg_activation_v1_get_activation_token(m_activation), QPointer<QWindow>(&window) });
    xdg_activation_token_v1_set_surface(pending->token, surface);
    const QByteArray appId = QGuiApplication::desktopFileName().toUtf8();
    if (!appId.isEmpty())
        xdg_activation_token_v1_set_app_id(pending->token, appId.constData());
    static const xdg_activation_token_v1_listener listener { &WaylandActivationRequest::tokenDone };
    xdg_activation_token_v1_add_listener(pending->token, &listener, pending.get());
    xdg_activation_token_v1_commit(pending->token);
    m_pending.push_back(std::move(pending));
    wl_display_flush(m_display);
    return true;
}

void WaylandActivationRequest::tokenDone(void *data, xdg_activation_token_v1 *, const char *token)
{
    auto *pending = static_cast<Pending *>(data);
    WaylandActivationRequest *self = pending->owner;
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    // The window may have been hidden meanwhile, its surface gone with it.
    auto *surface = pending->window && native
        ? static_cast<wl_surface *>(native->nativeResourceForWindow("surface", pending->window))
        : nullptr;
    if (surface) {
        qCInfo(activation, "Activating the window with a token asked for its own surface");
        xdg_activation_v1_activate(self->m_activation, token, surface);
        wl_display_flush(self->m_display);
    }
    xdg_activation_token_v1_destroy(pending->token);
    std::erase_if(self->m_pending, [pending](const auto &each) { return each.get() == pending; });
}
