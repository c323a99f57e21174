// The focus console, the round-complete screen and the header bar: what they show, ready to draw.

#include "app/AppController.h"
#include "app/FocusConsoleDocking.h"

void AppController::setUpFocusConsole()
{
    m_consoleDocking = std::make_unique<FocusConsoleDocking>(
        std::move(m_seams.consoleDockTimer), [this] { return m_preferences.focusConsoleDock; },
        [this](FocusConsoleDock dock) { setFocusConsoleDock(dock); });
    connect(m_consoleDocking.get(), &FocusConsoleDocking::isDraggingConsoleChanged, this,
        &AppController::refreshConsoleDragHandle);
    connect(m_consoleDocking.get(), &FocusConsoleDocking::pendingConsoleDockChanged, this,
        &AppController::refreshConsoleDragHandle);

    // The console's labels follow both the tracking state and the interface language.
    connect(this, &AppController::trackingStateChanged, this, &AppController::refreshConsolePresentations);
    connect(this, &AppController::preferencesChanged, this, &AppController::refreshConsolePresentations);
    refreshConsolePresentations();

    // The header follows the day's numbers, the switches' settings, the tracking state and the lock.
    for (const auto changed : { &AppController::preferencesChanged, &AppController::trackingStateChanged,
             &AppController::sessionNumberChanged })
        connect(this, changed, this, &AppController::refreshHeader);
    connect(m_breakWheel.get(), &BreakWheel::keyboardIsLockedChanged, this, &AppController::refreshHeader);
    for (const auto changed :
        { &Statistics::todayHealthScoreChanged, &Statistics::todayCompletedSessionsChanged })
        connect(m_statistics.get(), changed, this, &AppController::refreshHeader);
    refreshHeader();
}

void AppController::refreshConsolePresentations()
{
    publish(m_focusConsole, FocusConsolePresentation::make(m_trackingState, language()),
        &AppController::focusConsoleChanged);
    publish(m_roundComplete, RoundCompletePresentation::make(language(), m_breakWheel->keyboardHold()),
        &AppController::roundCompleteChanged);
    refreshConsoleDragHandle();
}

void AppController::refreshConsoleDragHandle()
{
    publish(m_consoleDragHandle,
        ConsoleDragHandlePresentation::make(m_consoleDocking->isDraggingConsole(),
            m_consoleDocking->pendingConsoleDock(), m_preferences.focusConsoleDock,
            m_appearance->accentColor(), language()),
        &AppController::consoleDragHandleChanged);
}

void AppController::refreshHeader()
{
    HeaderPresentation::State state;
    state.language = language();
    state.isActivityTrackingOn = isActivityTrackingOn();
    state.trackingState = m_trackingState;
    state.keepWindowOnTop = m_preferences.keepWindowOnTop;
    state.backgroundOverlayEnabled = m_preferences.backgroundOverlayEnabled;
    state.sessionNumber = m_sessionNumber;
    state.todayHealthScore = m_statistics->todayHealthScore();
    state.todayCompletedSessions = m_statistics->todayCompletedSessions();
    state.keyboardIsLocked = m_breakWheel->keyboardIsLocked();
    state.inputAccessMissing = m_inputAccessMissing;
    state.windowSystem = m_seams.windowSystem;
    publish(m_header, HeaderPresentation::make(state), &AppController::headerChanged);
}

FocusCornerControlsPresentation AppController::focusCornerControls(bool interfaceIsHidden,
    bool canNavigateBackgrounds, const QString &consoleDock, const QString &language) const
{
    return FocusCornerControlsPresentation::make(interfaceIsHidden, canNavigateBackgrounds,
        fromRawValue<FocusConsoleDock>(consoleDock).value_or(m_preferences.focusConsoleDock),
        fromRawValue<AppLanguage>(language).value_or(m_preferences.language));
}
