#include "app/WindowBehavior.h"

#include "app/FullScreenKeys.h"
#include "app/Sheets.h"
#include "app/WindowLevelRule.h"
#include "core/AppPreferences.h"
#include "core/QtOneShotTimer.h"
#include "platform/WindowStates.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>

WindowBehavior::WindowBehavior(QWindow &window, const AppPreferences &preferences, const Sheets &sheets)
    : m_window(&window)
    , m_preferences(preferences)
    , m_sheets(sheets)
    , m_sequencer(*this, std::make_unique<QtOneShotTimer>())
    , m_keepWindowOnTop(preferences.keepWindowOnTop)
{
    window.installEventFilter(this);
    // Follows the window from its first state on, so that full screen returns to it.
    MaximizedMemory::of(window);
    connect(&window, &QWindow::windowStateChanged, this, &WindowBehavior::applyLevel);
    connect(&window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            m_awaitingMap = true;
    });
    // The platform window exists unmapped from here on, so that the level can go into its properties.
    if (!window.isVisible())
        window.create();
    applyLevel();
}

void WindowBehavior::followPreferences()
{
    if (m_preferences.keepWindowOnTop == m_keepWindowOnTop)
        return;
    m_keepWindowOnTop = m_preferences.keepWindowOnTop;
    applyLevel();
}

bool WindowBehavior::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::Expose) {
        if (m_awaitingMap && m_window->isExposed()) {
            m_awaitingMap = false;
            applyLevel();
        }
    } else if (event->type() == QEvent::KeyPress) {
        // The window sees a key before its items, so an alert that takes Esc is asked for by name. A locked
        // break's keys never get this far.
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (keyTogglesFullScreen(key.key(), key.modifiers(), isFullScreen(), m_sheets.showingAlert())) {
            m_sequencer.toggle();
            return true;
        }
    } else if (m_doubleClick.handle(
                   *event, m_window->size(), QGuiApplication::styleHints()->mouseDoubleClickInterval())) {
        m_sequencer.toggle();
    }
    // The click always goes on to the item under it.
    return false;
}

bool WindowBehavior::isFullScreen() const
{
    return m_window && m_window->windowStates().testFlag(Qt::WindowFullScreen);
}

void WindowBehavior::setFullScreen(bool fullScreen)
{
    if (!m_window)
        return;
    if (fullScreen)
        WindowStates::showFullScreen(*m_window);
    else
        WindowStates::leaveFullScreen(*m_window);
}

void WindowBehavior::raiseAndActivate()
{
    if (!m_window)
        return;
    m_window->raise();
    m_window->requestActivate();
}

void WindowBehavior::applyLevel()
{
    if (m_window)
        m_aboveState.set(*m_window,
            windowStaysAbove(m_keepWindowOnTop, m_sequencer.isChangingFullScreen(), isFullScreen()));
}
