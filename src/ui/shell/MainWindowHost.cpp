#include "ui/shell/MainWindowHost.h"

#include "app/AppController.h"
#include "app/WindowBehavior.h"
#include "app/WindowFrameKeeper.h"
#include "platform/DesktopActivation.h"
#include "platform/MainWindowControl.h"
#include "platform/MainWindowQuit.h"
#include "ui/shell/FirstExposure.h"
#include "ui/shell/HiddenWindowGraphics.h"
#include "ui/shell/ViewSetup.h"

#include <QCoreApplication>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickGraphicsConfiguration>
#include <QQuickWindow>
#include <QTimer>
#include <malloc.h>

namespace {

// Long enough that a window closed for a moment comes back at once.
constexpr auto releaseAfterHidden = std::chrono::minutes(10);

} // namespace

MainWindowHost::MainWindowHost(AppController &controller, MainWindowControl &control,
    QString applicationSupportRoot, std::function<bool()> trayShowsIcon,
    std::unique_ptr<OneShotTimer> releaseTimer, QObject *parent)
    : QObject(parent)
    , m_controller(controller)
    , m_control(control)
    , m_applicationSupportRoot(std::move(applicationSupportRoot))
    , m_trayShowsIcon(std::move(trayShowsIcon))
    , m_releaseTimer(std::move(releaseTimer))
{
    m_control.setWindowMaker([this] { window(); });
}

MainWindowHost::~MainWindowHost()
{
    m_control.setWindowMaker({});
}

void MainWindowHost::start(const LaunchRequest &request)
{
    switch (request.view) {
    case LaunchRequest::View::mainWindow:
        window();
        break;
    case LaunchRequest::View::none:
        QTimer::singleShot(0, this, [this, token = request.activationToken] {
            if (!m_trayShowsIcon())
                m_control.bringForward();
            else
                DesktopActivation::endStartupNotice(token);
        });
        break;
    case LaunchRequest::View::statistics:
    case LaunchRequest::View::journal:
        // A sheet shown before the main window is mapped would be placed and stacked before it.
        if (QQuickWindow *shown = window())
            FirstExposure::run(*shown, [this, view = request.view] { m_controller.showLaunchView(view); });
        break;
    }
}

QQuickWindow *MainWindowHost::window()
{
    if (!m_window && !m_failed)
        make();
    return m_window;
}

void MainWindowHost::make()
{
    m_engine = std::make_unique<QQmlApplicationEngine>();
    addImageProviders(*m_engine, m_controller);
    QQmlComponent component(
        m_engine.get(), QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Shell/Main.qml")));
    // The window's creation is finished only once its behaviour is attached, so that keep-on-top is in
    // place when it first shows.
    m_root.reset(component.beginCreate(m_engine->rootContext()));
    auto *window = qobject_cast<QQuickWindow *>(m_root.get());
    if (!window) {
        qWarning().noquote() << component.errorString();
        m_failed = true;
        // Also when the event loop has yet to run: the program cannot go on without its window.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
        return;
    }
    // Whatever the views ask of the window while they are made finds it made.
    m_window = window;
    m_behavior
        = std::make_unique<WindowBehavior>(*window, m_controller.preferences(), *m_controller.sheets());
    connect(&m_controller, &AppController::preferencesChanged, m_behavior.get(),
        &WindowBehavior::followPreferences);
    m_frame = std::make_unique<WindowFrameKeeper>(*window, m_applicationSupportRoot);
    m_graphics = std::make_unique<HiddenWindowGraphics>(*window);
    // Everything is drawn back to front; without a depth buffer a software rasteriser spares a depth test on
    // every pixel of every frame.
    QQuickGraphicsConfiguration graphics = window->graphicsConfiguration();
    graphics.setDepthBufferFor2D(false);
    window->setGraphicsConfiguration(graphics);
    // A quit from the window asks first when rows wait for the disk.
    m_quit = std::make_unique<MainWindowQuit>(
        *window, m_trayShowsIcon, [this] { return m_controller.confirmQuit(); });
    connect(m_quit.get(), &MainWindowQuit::quitRequested, this, &MainWindowHost::quitRequested);
    component.completeCreate();
    m_control.setWindow(window);
    connect(window, &QWindow::visibleChanged, this, &MainWindowHost::followVisibility);
    emit made(*window);
}

void MainWindowHost::followVisibility(bool visible)
{
    if (visible)
        m_releaseTimer->cancel();
    else
        m_releaseTimer->start(releaseAfterHidden, [this] { release(); });
}

// A break needs its window, and an open sheet keeps its draft in its view.
bool MainWindowHost::mayRelease() const
{
    return m_controller.round()->phase() == SessionPhase::Focus && !m_controller.sheets()->anyOpen();
}

void MainWindowHost::release()
{
    if (!m_window || m_window->isVisible())
        return;
    if (!mayRelease()) {
        m_releaseTimer->start(releaseAfterHidden, [this] { release(); });
        return;
    }
    m_control.setWindow(nullptr);
    m_quit.reset();
    m_graphics.reset();
    m_frame.reset();
    m_behavior.reset();
    m_window = nullptr;
    m_root.reset();
    m_engine.reset();
    // Once the views' objects left for later deletion are gone.
    QMetaObject::invokeMethod(
        this, [] { malloc_trim(0); }, Qt::QueuedConnection);
}
