#include "app/AppController.h"
#include "app/CommandLine.h"
#include "app/QtDialogTranslations.h"
#include "app/SingleInstance.h"
#include "app/TrayMenuBridge.h"
#include "core/QtOneShotTimer.h"
#include "core/SystemClock.h"
#include "core/SystemRandomSource.h"
#include "media/GstTrackPlayer.h"
#include "network/UpdateController.h"
#include "platform/DesktopActivation.h"
#include "platform/DesktopMotionPreference.h"
#include "platform/DesktopNotificationRoundEnd.h"
#include "platform/DesktopWorkspace.h"
#include "platform/DialogFilePicker.h"
#include "platform/MainWindowControl.h"
#include "platform/MessageBoxQuitQuestion.h"
#include "platform/PortalFilePicker.h"
#include "platform/QtLocalActivityBackend.h"
#include "platform/QtSystemBeep.h"
#include "platform/SessionInput.h"
#include "platform/TerminationSignals.h"
#include "storage/AppStorageService.h"
#include "ui/shell/MainWindowHost.h"
#include "ui/shell/ViewSetup.h"

#include <QApplication>
#include <QIcon>
#include <QQuickWindow>

int main(int argc, char *argv[])
{
    // Answered before Qt reaches a display or the running copy; Qt then takes the launcher's token.
    const CommandLine commandLine
        = CommandLine::parse(CommandLine::arguments(argc, argv), DesktopActivation::launcherToken());
    if (commandLine.exits)
        return commandLine.report();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVANE_APPLICATION_ID));
    // The tray keeps the program alive while the window is closed.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second copy over the same data folder would write the same files and grab the same keyboard.
    const QString applicationSupportRoot = AppStorageService::standardApplicationSupportRoot();
    SingleInstance instance(AppStorageService::storageDirectory(applicationSupportRoot));
    if (!instance.claim(commandLine.request))
        return 0;

    auto window = std::make_unique<MainWindowControl>();
    MainWindowControl &windowControl = *window;

    AppControllerSeams seams;
    seams.applicationSupportRoot = applicationSupportRoot;
    seams.updateFeedAddress = UpdateController::builtInFeedAddress();
    seams.developerCorner = DeveloperCornerConfig::builtIn();
    seams.clock = std::make_unique<SystemClock>();
    seams.wheelRandom = std::make_unique<SystemRandomSource>();
    seams.shuffleRandom = std::make_unique<SystemRandomSource>();
    SessionInput input = SessionInput::choose(windowControl);
    seams.trust = std::move(input.trust);
    seams.globalActivity = std::move(input.globalActivity);
    seams.localActivity = std::make_unique<QtLocalActivityBackend>();
    seams.keyboardGrab = std::move(input.keyboardGrab);
    seams.trackPlayers = [] { return std::make_unique<GstTrackPlayer>(); };
    seams.beep = std::make_unique<QtSystemBeep>();
    seams.workspace = std::make_unique<DesktopWorkspace>();
    seams.window = std::move(window);
    seams.filePicker = std::make_unique<PortalFilePicker>(std::make_unique<DialogFilePicker>());
    seams.windowSystem = QGuiApplication::platformName() == QLatin1String("wayland") ? WindowSystem::wayland
                                                                                     : WindowSystem::x11;
    DesktopNotificationRoundEnd *roundEndNotice = nullptr;
    if (seams.windowSystem == WindowSystem::wayland) {
        auto notice = std::make_unique<DesktopNotificationRoundEnd>(
            QDBusConnection::sessionBus(), QGuiApplication::desktopFileName(),
            [&windowControl] { return windowControl.window() && windowControl.window()->isActive(); },
            [&windowControl](const QString &token) { windowControl.bringForward(token); });
        roundEndNotice = notice.get();
        seams.roundEndNotice = std::move(notice);
    }
    seams.consoleDockTimer = std::make_unique<QtOneShotTimer>();
    seams.quitQuestion = std::make_unique<MessageBoxQuitQuestion>();

    AppController controller(std::move(seams));
    // The icon first: what can wait comes after it, and the window only when it is to show.
    TrayMenuBridge tray(controller);
    DesktopMotionPreference::askWhetherReduced(QDBusConnection::sessionBus(),
        DesktopMotionPreference::standardKdeglobalsFiles(), controller.appearance(),
        [&controller](bool reduced) { controller.appearance()->setReduceMotion(reduced); });
    // Every window, the sheets included, carries the application's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quorvane/quorvane.svg")));
    QtDialogTranslations dialogTranslations(controller);
    setUpViews(controller);
    MainWindowHost mainWindow(
        controller, windowControl, applicationSupportRoot, [&tray] { return tray.showsIcon(); },
        std::make_unique<QtOneShotTimer>());
    if (roundEndNotice) {
        QObject::connect(roundEndNotice, &DesktopNotificationRoundEnd::sent, &tray, [&tray, &windowControl] {
            if (const QWindow *window = windowControl.window())
                tray.askForAttentionUntilActive(*window);
        });
        // The user reached the window, through the notice or otherwise: the notice has done its work.
        QObject::connect(
            &mainWindow, &MainWindowHost::made, roundEndNotice, [roundEndNotice](QQuickWindow &window) {
                QObject::connect(&window, &QWindow::activeChanged, roundEndNotice, [roundEndNotice, &window] {
                    if (window.isActive())
                        roundEndNotice->withdraw();
                });
            });
    }
    mainWindow.start(commandLine.request);
    QObject::connect(
        &instance, &SingleInstance::launchRequested, &controller, [&controller](const LaunchRequest &r) {
            DesktopActivation::bringForwardWith(
                r.activationToken, [&] { controller.showLaunchView(r.view); });
        });

    TerminationSignals termination;
    auto quit = [&controller] {
        controller.shutdown();
        QApplication::quit();
    };
    // The user's quits ask first when rows wait for the disk; the session's end cannot wait for an
    // answer and tries one last write in the shutdown.
    QObject::connect(&tray, &TrayMenuBridge::quitRequested, &application, [&controller, quit] {
        if (controller.confirmQuit())
            quit();
    });
    QObject::connect(&mainWindow, &MainWindowHost::quitRequested, &application, quit);
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &application, quit);
    QObject::connect(&application, &QApplication::aboutToQuit, &controller, &AppController::shutdown);
    return application.exec();
}
