#include "app/AppController.h"
#include "app/CommandLine.h"
#include "app/QtDialogTranslations.h"
#include "app/SingleInstance.h"
#include "app/TrayMenuBridge.h"
#include "app/WindowBehavior.h"
#include "app/WindowFrameKeeper.h"
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
#include "platform/MainWindowQuit.h"
#include "platform/MessageBoxQuitQuestion.h"
#include "platform/PortalFilePicker.h"
#include "platform/QtLocalActivityBackend.h"
#include "platform/QtSystemBeep.h"
#include "platform/SessionInput.h"
#include "platform/TerminationSignals.h"
#include "storage/AppStorageService.h"
#include "ui/shell/HiddenWindowGraphics.h"
#include "ui/shell/ViewSetup.h"

#include <QApplication>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickGraphicsConfiguration>
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
    // Every window, the sheets included, carries the application's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quorvane/quorvane.svg")));
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
    seams.reduceMotion = DesktopMotionPreference::reducesMotion(
        QDBusConnection::sessionBus(), DesktopMotionPreference::standardKdeglobalsFiles());
    seams.consoleDockTimer = std::make_unique<QtOneShotTimer>();
    seams.quitQuestion = std::make_unique<MessageBoxQuitQuestion>();

    AppController controller(std::move(seams));
    QtDialogTranslations dialogTranslations(controller);
    setUpViews(controller);
    TrayMenuBridge tray(controller);

    QQmlApplicationEngine engine;
    addImageProviders(engine, controller);
    QQmlComponent component(
        &engine, QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Shell/Main.qml")));
    // The window's creation is finished only once its behaviour is attached, so that keep-on-top is in
    // place when it first shows.
    const std::unique_ptr<QObject> root(component.beginCreate(engine.rootContext()));
    auto *mainWindow = qobject_cast<QQuickWindow *>(root.get());
    if (!mainWindow) {
        qWarning().noquote() << component.errorString();
        return 1;
    }
    WindowBehavior windowBehavior(*mainWindow, controller);
    WindowFrameKeeper windowFrame(*mainWindow, applicationSupportRoot);
    HiddenWindowGraphics hiddenWindowGraphics(*mainWindow);
    // Everything is drawn back to front; without a depth buffer a software rasteriser spares a depth test on
    // every pixel of every frame.
    QQuickGraphicsConfiguration graphics = mainWindow->graphicsConfiguration();
    graphics.setDepthBufferFor2D(false);
    mainWindow->setGraphicsConfiguration(graphics);
    // Started for the tray, the window stays hidden only where the tray's icon can bring it back.
    if (commandLine.request.view == LaunchRequest::View::none && tray.showsIcon())
        mainWindow->setProperty("visible", false);
    component.completeCreate();
    windowControl.setWindow(mainWindow);
    if (roundEndNotice) {
        QObject::connect(roundEndNotice, &DesktopNotificationRoundEnd::sent, &tray,
            [&tray, mainWindow] { tray.askForAttentionUntilActive(*mainWindow); });
        // The user reached the window, through the notice or otherwise: the notice has done its work.
        QObject::connect(mainWindow, &QWindow::activeChanged, roundEndNotice, [roundEndNotice, mainWindow] {
            if (mainWindow->isActive())
                roundEndNotice->withdraw();
        });
    }
    if (commandLine.request.view != LaunchRequest::View::mainWindow)
        controller.showLaunchView(commandLine.request.view);
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
    MainWindowQuit windowQuit(
        *mainWindow, [&tray] { return tray.showsIcon(); },
        [&controller] { return controller.confirmQuit(); });
    QObject::connect(&tray, &TrayMenuBridge::quitRequested, &application, [&controller, quit] {
        if (controller.confirmQuit())
            quit();
    });
    QObject::connect(&windowQuit, &MainWindowQuit::quitRequested, &application, quit);
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &application, quit);
    QObject::connect(&application, &QApplication::aboutToQuit, &controller, &AppController::shutdown);
    return application.exec();
}
