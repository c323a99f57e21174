// The focus console, the round-complete screen and the header bar: what they show, ready to draw.

#include "app/Console.h"

#include "app/AppController.h"
#include "app/Publish.h"

Console::Console(AppController &controller, std::unique_ptr<OneShotTimer> dockTimer)
    : m_controller(controller)
{
    m_consoleDocking = std::make_unique<FocusConsoleDocking>(
        std::move(dockTimer), [this] { return m_controller.preferences().focusConsoleDock; },
        [this](FocusConsoleDock dock) { m_controller.setFocusConsoleDock(dock); });
    connect(m_consoleDocking.get(), &FocusConsoleDocking::isDraggingConsoleChanged, this,
        &Console::refreshConsoleDragHandle);
    connect(m_consoleDocking.get(), &FocusConsoleDocking::pendingConsoleDockChanged, this,
        &Console::refreshConsoleDragHandle);

    // The console's labels follow both the tracking state and the interface language.
    connect(controller.round(), &Round::trackingStateChanged, this, &Console::refreshConsolePresentations);
    connect(&controller, &AppController::preferencesChanged, this, &Console::refreshConsolePresentations);
    // The round-complete screen tells what the break will hold, which the compositor may change.
    connect(controller.breakWheel(), &BreakWheel::keyboardHoldChanged, this,
        &Console::refreshConsolePresentations);
    refreshConsolePresentations();

    // The header follows the day's numbers, the switches' settings, the tracking state and the lock.
    connect(&controller, &AppController::preferencesChanged, this, &Console::refreshHeader);
    for (const auto changed : { &Round::trackingStateChanged, &Round::sessionNumberChanged })
        connect(controller.round(), changed, this, &Console::refreshHeader);
    connect(controller.breakWheel(), &BreakWheel::keyboardIsLockedChanged, this, &Console::refreshHeader);
    for (const auto changed :
        { &Statistics::todayHealthScoreChanged, &Statistics::todayCompletedSessionsChanged })
        connect(controller.statistics(), changed, this, &Console::refreshHeader);
    refreshHeader();
    connect(&controller, &AppController::preferencesChanged, this, &Console::preferencesChanged);
}

Console::~Console() = default;

QString Console::focusConsoleDockName() const
{
    return rawValue(m_controller.preferences().focusConsoleDock);
}

void Console::refreshConsolePresentations()
{
    const AppLanguage language = m_controller.language();
    publish(*this, m_focusConsole,
        FocusConsolePresentation::make(m_controller.round()->trackingState(), language,
            m_controller.windowSystem(), m_controller.round()->isActivityWithheld()),
        &Console::focusConsoleChanged);
    publish(*this, m_roundComplete,
        RoundCompletePresentation::make(language, m_controller.breakWheel()->keyboardHold()),
        &Console::roundCompleteChanged);
    refreshConsoleDragHandle();
}

void Console::refreshConsoleDragHandle()
{
    publish(*this, m_consoleDragHandle,
        ConsoleDragHandlePresentation::make(m_consoleDocking->isDraggingConsole(),
            m_consoleDocking->pendingConsoleDock(), m_controller.preferences().focusConsoleDock,
            m_controller.appearance()->accentColor(), m_controller.language()),
        &Console::consoleDragHandleChanged);
}

void Console::refreshHeader()
{
    const AppPreferences &preferences = m_controller.preferences();
    HeaderPresentation::State state;
    state.language = m_controller.language();
    state.isActivityTrackingOn = m_controller.round()->isActivityTrackingOn();
    state.trackingState = m_controller.round()->trackingState();
    state.keepWindowOnTop = preferences.keepWindowOnTop;
    state.backgroundOverlayEnabled = preferences.backgroundOverlayEnabled;
    state.sessionNumber = m_controller.round()->sessionNumber();
    state.todayHealthScore = m_controller.statistics()->todayHealthScore();
    state.todayCompletedSessions = m_controller.statistics()->todayCompletedSessions();
    state.keyboardIsLocked = m_controller.breakWheel()->keyboardIsLocked();
    state.inputAccessMissing = m_controller.round()->inputAccessMissing();
    state.windowSystem = m_controller.windowSystem();
    publish(*this, m_header, HeaderPresentation::make(state), &Console::headerChanged);
}

FocusCornerControlsPresentation Console::focusCornerControls(bool interfaceIsHidden,
    bool canNavigateBackgrounds, const QString &consoleDock, const QString &language) const
{
    const AppPreferences &preferences = m_controller.preferences();
    return FocusCornerControlsPresentation::make(interfaceIsHidden, canNavigateBackgrounds,
        fromRawValue<FocusConsoleDock>(consoleDock).value_or(preferences.focusConsoleDock),
        fromRawValue<AppLanguage>(language).value_or(preferences.language));
}
