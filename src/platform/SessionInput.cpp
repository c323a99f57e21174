#include "platform/SessionInput.h"

#include "platform/CompositorInputAccessTrust.h"
#include "platform/MutterIdleMonitorBackend.h"
#include "platform/WaylandBreakFocus.h"
#include "platform/WaylandIdleBackend.h"
#include "platform/X11GlobalActivityBackend.h"
#include "platform/X11InputAccessTrust.h"
#include "platform/X11KeyboardGrab.h"

#include <QDBusConnection>
#include <QDebug>
#include <QGuiApplication>

SessionInput SessionInput::choose(MainWindowControl &window)
{
    SessionInput input;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (MutterIdleMonitorBackend::isOffered(bus)) {
        qInfo("Input activity: GNOME's idle monitor");
        input.trust = std::make_unique<CompositorInputAccessTrust>(
            [bus] { return MutterIdleMonitorBackend::isOffered(bus); });
        input.globalActivity = std::make_unique<MutterIdleMonitorBackend>(bus);
    } else if (IdleNotifyActivityBackend::isOffered()) {
        qInfo("Input activity: the compositor's idle notifications");
        input.trust = std::make_unique<CompositorInputAccessTrust>(&IdleNotifyActivityBackend::isOffered);
        input.globalActivity = std::make_unique<IdleNotifyActivityBackend>();
    } else if (KdeIdleActivityBackend::isOffered()) {
        qInfo("Input activity: the compositor's org_kde_kwin_idle");
        input.trust = std::make_unique<CompositorInputAccessTrust>(&KdeIdleActivityBackend::isOffered);
        input.globalActivity = std::make_unique<KdeIdleActivityBackend>();
    } else {
        qInfo("Input activity: X11");
        input.trust = std::make_unique<X11InputAccessTrust>();
        input.globalActivity = std::make_unique<X11GlobalActivityBackend>();
    }
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        input.keyboardGrab = std::make_unique<WaylandBreakFocus>(window);
    else
        input.keyboardGrab = std::make_unique<X11KeyboardGrab>();
    return input;
}
