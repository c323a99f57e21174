#pragma once

#include "app/ConsoleDragHandlePresentation.h"
#include "app/FocusConsoleDocking.h"
#include "app/FocusConsolePresentation.h"
#include "app/FocusCornerControlsPresentation.h"
#include "app/HeaderPresentation.h"
#include "app/RoundCompletePresentation.h"
#include "core/WindowSystem.h"

#include <QObject>
#include <functional>
#include <memory>

struct AppPreferences;
class Appearance;
class BreakWheel;
class OneShotTimer;
class Round;
class Statistics;

// The focus console and what stands around it, each ready to draw: the console's labels, where it docks
// with its drag handle, the round-complete screen, the header bar and the corner controls. It reads the
// settings in force and the objects whose state it shows, and is told when to look at them again.
class Console : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString focusConsoleDock READ focusConsoleDockName NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(FocusConsolePresentation focusConsole READ focusConsole NOTIFY focusConsoleChanged FINAL)
    Q_PROPERTY(FocusConsoleDocking *consoleDocking READ consoleDocking CONSTANT FINAL)
    Q_PROPERTY(ConsoleDragHandlePresentation consoleDragHandle READ consoleDragHandle NOTIFY
            consoleDragHandleChanged FINAL)
    Q_PROPERTY(RoundCompletePresentation roundComplete READ roundComplete NOTIFY roundCompleteChanged FINAL)
    Q_PROPERTY(HeaderPresentation header READ header NOTIFY headerChanged FINAL)

public:
    // `storeDock` keeps the side the console snapped to; `dockTimer` times the snap.
    Console(const AppPreferences &preferences, WindowSystem windowSystem, const Round &round,
        const BreakWheel &breakWheel, const Statistics &statistics, const Appearance &appearance,
        std::function<void(FocusConsoleDock)> storeDock, std::unique_ptr<OneShotTimer> dockTimer);
    ~Console() override;

    QString focusConsoleDockName() const;
    const FocusConsolePresentation &focusConsole() const { return m_focusConsole; }
    FocusConsoleDocking *consoleDocking() const { return m_consoleDocking.get(); }
    const ConsoleDragHandlePresentation &consoleDragHandle() const { return m_consoleDragHandle; }
    const RoundCompletePresentation &roundComplete() const { return m_roundComplete; }
    const HeaderPresentation &header() const { return m_header; }
    // The corner controls for the root view's hidden flag; the views pass the other inputs too, so
    // that their binding follows them. `consoleDock` and `language` are raw values.
    Q_INVOKABLE FocusCornerControlsPresentation focusCornerControls(bool interfaceIsHidden,
        bool canNavigateBackgrounds, const QString &consoleDock, const QString &language) const;

    // The console's labels, its drag handle and the round-complete screen, as the tracking state, the
    // settings and the keyboard's hold are now.
    void refreshConsolePresentations();
    // The header, as the day's figures, the switches' settings, the tracking state and the lock are now.
    void refreshHeader();

signals:
    void preferencesChanged();
    void focusConsoleChanged();
    void consoleDragHandleChanged();
    void roundCompleteChanged();
    void headerChanged();

private:
    void refreshConsoleDragHandle();

    const AppPreferences &m_preferences;
    WindowSystem m_windowSystem;
    const Round &m_round;
    const BreakWheel &m_breakWheel;
    const Statistics &m_statistics;
    const Appearance &m_appearance;
    std::unique_ptr<FocusConsoleDocking> m_consoleDocking;
    FocusConsolePresentation m_focusConsole;
    ConsoleDragHandlePresentation m_consoleDragHandle;
    RoundCompletePresentation m_roundComplete;
    HeaderPresentation m_header;
};
