#pragma once

#include "app/FullScreenToggleSequencer.h"
#include "app/TitleBandDoubleClick.h"
#include "platform/X11AboveState.h"

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <memory>

class AppController;

// The main window's behaviour towards the window manager: it floats above other windows while
// keep-on-top is on, and a double click in its title band, F11 or (to leave) Esc toggles full screen in
// stages.
//
// The transition keeps the window from floating without touching the stored preference, so that
// quitting or saving during a toggle never loses keep-on-top.
class WindowBehavior : public QObject, private StagedFullScreenWindow
{
    Q_OBJECT

public:
    // Best attached before the window first shows: the level is then in place at the first map.
    WindowBehavior(QWindow &window, const AppController &controller, std::unique_ptr<OneShotTimer> timer);
    WindowBehavior(QWindow &window, const AppController &controller);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isFullScreen() const override;
    void setFullScreen(bool fullScreen) override;
    void raiseAndActivate() override;
    void applyLevel() override;

    QPointer<QWindow> m_window;
    const AppController &m_controller;
    X11AboveState m_aboveState;
    TitleBandDoubleClick m_doubleClick;
    FullScreenToggleSequencer m_sequencer;
    bool m_keepWindowOnTop = false;
    // Set while the window is off screen: the window manager forgets its states when it unmaps one.
    bool m_awaitingMap = true;
};
