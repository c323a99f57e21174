// A Wayland client for the compositor tests. Plain, a window that takes the focus from the program; with
// "break", the break's window: full screen, the desktop's shortcuts asked for, one hang longer than the
// watchdog once the compositor grants them, and an exit on the emergency chord; with "inhibit", one that
// keeps the screen awake as a video does. It prints what the compositor tells it ("active", "full screen",
// the break's log), "inhibiting" and "chord" before it exits.
#include "idle-inhibit-unstable-v1-client-protocol.h"
#include "platform/MainWindowControl.h"
#include "platform/WaylandBreakFocus.h"
#include "platform/WaylandGlobals.h"

#include <QGuiApplication>
#include <QRasterWindow>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace {

QtMessageHandler defaultHandler = nullptr;
bool hung = false;

void hangOnceWhenGranted(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    defaultHandler(type, context, message);
    if (!hung && message.contains(QStringLiteral("(inhibitor active)"))) {
        hung = true;
        QTimer::singleShot(0, [] { QThread::msleep(1000); });
    }
}

void say(const char *line)
{
    std::fprintf(stderr, "%s\n", line);
}

bool holdIdleInhibitor(QWindow &window)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
    auto *surface = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", &window));
    const std::vector<void *> manager
        = bindWaylandGlobals(display, { &zwp_idle_inhibit_manager_v1_interface });
    if (manager.empty() || !manager[0] || !surface)
        return false;
    zwp_idle_inhibit_manager_v1_create_inhibitor(
        static_cast<zwp_idle_inhibit_manager_v1 *>(manager[0]), surface);
    wl_display_flush(display);
    say("inhibiting");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    defaultHandler = qInstallMessageHandler(hangOnceWhenGranted);
    QRasterWindow window;
    window.resize(400, 300);
    QObject::connect(
        &window, &QWindow::activeChanged, [&] { say(window.isActive() ? "active" : "inactive"); });
    QObject::connect(&window, &QWindow::visibilityChanged, [](QWindow::Visibility visibility) {
        if (visibility == QWindow::FullScreen)
            say("full screen");
    });
    window.show();
    MainWindowControl control;
    control.setWindow(&window);
    WaylandBreakFocus focus(control, std::chrono::milliseconds(300));
    if (application.arguments().contains(QStringLiteral("break"))) {
        if (!focus.grab([&] {
                say("chord");
                focus.release();
                application.quit();
            }))
            return 1;
        control.enterFullScreen();
    }
    if (application.arguments().contains(QStringLiteral("inhibit")) && !holdIdleInhibitor(window))
        return 1;
    return application.exec();
}
