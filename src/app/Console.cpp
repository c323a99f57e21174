// The focus console, the round-complete screen and the header bar: what they show, ready to draw.

#include "app/Console.h"

#include "app/Appearance.h"
#include "app/BreakWheel.h"
#include "app/Publish.h"
#include "app/Round.h"
#include "app/Statistics.h"
#include "core/AppPreferences.h"

Console::Console(const AppPreferences &preferences, WindowSystem windowSystem, const Round &round,
    const BreakWheel &breakWheel, const Statistics &statistics, const Appearance &appearance,
    std::function<void(FocusConsoleDock)> storeDock, std::unique_ptr<OneShotTimer> dockTimer)
    : m_preferences(preferences)
    , m_windowSystem(windowSystem)
    , m_round(round)
    , m_breakWheel(breakWheel)
    , m_statistics(statistics)
    , m_appearance(appearance)
{
    m_consoleDocking = std::make_unique<FocusConsoleDocking>(
        std::move(dockTimer), [this] { return m_preferences.focusConsoleDock; }, std::move(storeDock));
    connect(m_consoleDocking.get(), &FocusConsoleDocking::isDraggingConsoleChanged, this,
        &Console::refreshConsoleDragHandle);
    connect(m_consoleDocking.get(), &FocusConsoleDocking::pendingConsoleDockChanged, this,
        &Console::refreshConsoleDragHandle);
    refreshConsolePresentations();
    refreshHeader();
}

Console::~Console() = default;

QString Console::focusConsoleDockName() const
{
    return rawValue(m_preferences.focusConsoleDock);
}

void Console::refreshConsolePresentations()
{
    const AppLanguage language = m_preferences.language;
    publish(*this, m_focusConsole,
        FocusConsolePresentation::make(
            m_round.trackingState(), language, m_windowSystem, m_round.isActivityWithheld()),
        &Console::focusConsoleChanged);
    publish(*this, m_roundComplete, RoundCompletePresentation::make(language, m_breakWheel.keyboardHold()),
        &Console::roundCompleteChanged);
    refreshConsoleDragHandle();
}

void Console::refreshConsoleDragHandle()
{
    publish(*this, m_consoleDragHandle,
        ConsoleDragHandlePresentation::make(m_consoleDocking->isDraggingConsole(),
            m_consoleDocking->pendingConsoleDock(), m_preferences.focusConsoleDock,
            m_appearance.accentColor(), m_preferences.language),
        &Console::consoleDragHandleChanged);
}

void Console::refreshHeader()
{
    const AppPreferences &preferences = m_preferences;
    HeaderPresentation::State state;
    state.language = m_preferences.language;
    state.isActivityTrackingOn = m_round.isActivityTrackingOn();
    state.trackingState = m_round.trackingState();
    state.keepWindowOnTop = preferences.keepWindowOnTop;
    state.backgroundOverlayEnabled = preferences.backgroundOverlayEnabled;
    state.sessionNumber = m_round.sessionNumber();
    state.todayHealthScore = m_statistics.todayHealthScore();
    state.todayCompletedSessions = m_statistics.todayCompletedSessions();
    state.keyboardIsLocked = m_breakWheel.keyboardIsLocked();
    state.inputAccessMissing = m_round.inputAccessMissing();
    state.windowSystem = m_windowSystem;
    publish(*this, m_header, HeaderPresentation::make(state), &Console::headerChanged);
}

FocusCornerControlsPresentation Console::focusCornerControls(bool interfaceIsHidden,
    bool canNavigateBackgrounds, const QString &consoleDock, const QString &language) const
{
    const AppPreferences &preferences = m_preferences;
    return FocusCornerControlsPresentation::make(interfaceIsHidden, canNavigateBackgrounds,
        fromRawValue<FocusConsoleDock>(consoleDock).value_or(preferences.focusConsoleDock),
        fromRawValue<AppLanguage>(language).value_or(preferences.language));
}
