#pragma once

#include "app/LaunchRequest.h"
#include "core/OneShotTimer.h"

#include <QObject>
#include <functional>
#include <memory>

class AppController;
class HiddenWindowGraphics;
class MainWindowControl;
class MainWindowQuit;
class QQmlApplicationEngine;
class QQuickWindow;
class WindowBehavior;
class WindowFrameKeeper;

// The main window and the QML engine that makes it, both made the first time the window is to show:
// started in the tray, the program runs the controller, its services and the tray's icon without them,
// and the tray, a later start, the round's end or a launch action make the window when they bring it
// forward. A window left hidden for a long while in a focus round, with no sheet open, is given back with
// its engine (about 16 of the 97 MiB that the program holds resident once shown), and made again as it was
// left, from the controller's state and the saved frame, when it is next to show.
class MainWindowHost : public QObject
{
    Q_OBJECT

public:
    // Whatever brings `control`'s window forward makes it first. `trayShowsIcon` is asked whenever a
    // closed window might leave nothing on screen.
    MainWindowHost(AppController &controller, MainWindowControl &control, QString applicationSupportRoot,
        std::function<bool()> trayShowsIcon, std::unique_ptr<OneShotTimer> releaseTimer,
        QObject *parent = nullptr);
    ~MainWindowHost() override;

    // Shows what the start asked for. Started for the tray, the window is made only where the tray's icon
    // is not there to bring it back; that is asked once the event loop runs, so that the icon never waits
    // for the answer, and with no window to map the launcher's "starting…" notice is ended then.
    void start(const LaunchRequest &request);

    // The window, made now if it is not yet; null when its views do not load, which ends the program.
    QQuickWindow *window();
    bool isMade() const { return m_window != nullptr; }

signals:
    void made(QQuickWindow &window);
    void quitRequested();

private:
    void make();
    void followVisibility(bool visible);
    bool mayRelease() const;
    void release();

    AppController &m_controller;
    MainWindowControl &m_control;
    const QString m_applicationSupportRoot;
    std::function<bool()> m_trayShowsIcon;
    std::unique_ptr<OneShotTimer> m_releaseTimer;
    bool m_failed = false;
    // In the order of their making; the window goes before the engine that made it.
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    std::unique_ptr<QObject> m_root;
    QQuickWindow *m_window = nullptr;
    std::unique_ptr<WindowBehavior> m_behavior;
    std::unique_ptr<WindowFrameKeeper> m_frame;
    std::unique_ptr<HiddenWindowGraphics> m_graphics;
    std::unique_ptr<MainWindowQuit> m_quit;
};
