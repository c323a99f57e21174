#include "platform/WindowStates.h"

MaximizedMemory::MaximizedMemory(QWindow &window)
    : QObject(&window)
{
    m_maximized = window.windowStates().testFlag(Qt::WindowMaximized);
    connect(&window, &QWindow::windowStateChanged, this,
        [this, &window] { follow(window.windowStates(), window.isVisible()); });
}

void MaximizedMemory::follow(Qt::WindowStates states, bool visible)
{
    if (m_expected) {
        // Full screen may drop maximised; it comes back when full screen ends.
        const bool fullScreen = states.testFlag(Qt::WindowFullScreen);
        if (fullScreen == m_expected->testFlag(Qt::WindowFullScreen)
            && (fullScreen
                || states.testFlag(Qt::WindowMaximized) == m_expected->testFlag(Qt::WindowMaximized)))
            m_expected.reset();
        return;
    }
    if (visible && !(states & (Qt::WindowFullScreen | Qt::WindowMinimized)))
        m_maximized = states.testFlag(Qt::WindowMaximized);
}

MaximizedMemory &MaximizedMemory::of(QWindow &window)
{
    auto *memory = window.findChild<MaximizedMemory *>(QString(), Qt::FindDirectChildrenOnly);
    return memory ? *memory : *new MaximizedMemory(window);
}

namespace WindowStates {

namespace {

Qt::WindowStates normalOrMaximized(QWindow &window)
{
    return MaximizedMemory::of(window).isMaximized() ? Qt::WindowMaximized : Qt::WindowNoState;
}

void request(QWindow &window, Qt::WindowStates states)
{
    // Qt reports the requested state at once, as its own. Only a shown maximised window's way into or out
    // of full screen passes through other states, in the window manager's reports that follow; any other
    // change comes with no report to wait for, as it arrives in one step or as Qt's own.
    const Qt::WindowStates before = window.windowStates();
    const bool passesThrough = window.isVisible() && ((before ^ states) & Qt::WindowFullScreen)
        && ((before | states) & Qt::WindowMaximized);
    window.setWindowStates(states);
    if (passesThrough)
        MaximizedMemory::of(window).expect(states);
    window.setVisible(true);
}

} // namespace

void showFullScreen(QWindow &window)
{
    request(window, normalOrMaximized(window) | Qt::WindowFullScreen);
}

void leaveFullScreen(QWindow &window)
{
    request(window, normalOrMaximized(window));
}

void showRestored(QWindow &window)
{
    leaveFullScreen(window);
}

} // namespace WindowStates
