#pragma once

#include "app/FullScreenToggleSequencer.h"
#include "app/TitleBandDoubleClick.h"
#include "platform/X11AboveState.h"

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <memory>

struct AppPreferences;
class Sheets;

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
    WindowBehavior(QWindow &window, const AppPreferences &preferences, const Sheets &sheets);

    // Floats the window above others, or no longer, when keep-on-top changed.
    void followPreferences();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isFullScreen() const override;
    void setFullScreen(bool fullScreen) override;
    void raiseAndActivate() override;
    void applyLevel() override;

    QPointer<QWindow> m_window;
    const AppPreferences &m_preferences;
    const Sheets &m_sheets;
    X11AboveState m_aboveState;
    TitleBandDoubleClick m_doubleClick;
    FullScreenToggleSequencer m_sequencer;
    bool m_keepWindowOnTop = false;
    // Set while the window is off screen: the window manager forgets its states when it unmaps one.
    bool m_awaitingMap = true;
};
