#include "MainWindowControl.h"

void MainWindowControl::bringForward()
{
    if (!m_window)
        return;
    if (m_window->visibility() == QWindow::Hidden || m_window->visibility() == QWindow::Minimized)
        m_window->showNormal();
    m_window->raise();
    m_window->requestActivate();
}

void MainWindowControl::enterFullScreen()
{
    if (!m_window || m_window->visibility() == QWindow::FullScreen)
        return;
    m_window->showFullScreen();
    m_window->raise();
    m_window->requestActivate();
}
