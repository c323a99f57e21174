#include "platform/MainWindowControl.h"

#include "platform/WindowStates.h"

#include <QGuiApplication>

QWindow *MainWindowControl::madeWindow()
{
    if (!m_window && m_maker)
        m_maker();
    return m_window;
}

void MainWindowControl::bringForward()
{
    if (!madeWindow())
        return;
    if (m_window->visibility() == QWindow::Hidden) {
        // Qt asks the window manager to keep a window's place only once the program has placed it; a
        // place the user chose by moving it would otherwise be replaced by the manager's own choice.
        m_window->setPosition(m_window->position());
        WindowStates::showRestored(*m_window);
    } else if (m_window->visibility() == QWindow::Minimized) {
        WindowStates::showRestored(*m_window);
    }
    m_window->raise();
    // A sheet open over the window takes the keys: the window manager need not hand them on from the
    // window, which refuses them while the sheet blocks it, and a screen reader would follow the window.
    QWindow *sheet = QGuiApplication::modalWindow();
    if (sheet != nullptr && sheet->transientParent() == m_window) {
        sheet->raise();
        requestActivate(*sheet);
        return;
    }
    requestActivate(*m_window);
}

void MainWindowControl::requestActivate(QWindow &window)
{
    // Qt's Wayland shell uses a token handed to it and clears it; without one it asks nothing at all.
    const bool handedAToken = !qEnvironmentVariableIsEmpty("XDG_ACTIVATION_TOKEN");
    window.requestActivate();
    if (!handedAToken && !window.isActive())
        m_ownActivation.request(window);
}

void MainWindowControl::setWindow(QWindow *window)
{
    m_window = window;
    if (window)
        MaximizedMemory::of(*window);
}

void MainWindowControl::bringForward(const QString &activationToken)
{
    // Qt's Wayland shell reads the token from there on the next activation request, and clears it.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    bringForward();
}

void MainWindowControl::enterFullScreen()
{
    if (!madeWindow() || m_window->visibility() == QWindow::FullScreen)
        return;
    WindowStates::showFullScreen(*m_window);
    m_window->raise();
    m_window->requestActivate();
}
