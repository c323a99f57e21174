#include "app/Window.h"

#include "core/WindowControl.h"
#include "core/Workspace.h"

Window::Window(WindowControl &window, Workspace &workspace, QString activityLogPath, QString focusLogPath,
    std::function<void(const QString &folder)> unshown)
    : m_window(window)
    , m_workspace(workspace)
    , m_activityLogPath(std::move(activityLogPath))
    , m_focusLogPath(std::move(focusLogPath))
    , m_unshown(std::move(unshown))
{ }

void Window::bringMainWindowForward()
{
    m_window.bringForward();
}

void Window::enterFullScreen()
{
    m_window.enterFullScreen();
}

void Window::openActivityLogInFileManager()
{
    m_workspace.revealFile(m_activityLogPath, m_unshown);
}

void Window::openFocusLogInFileManager()
{
    m_workspace.revealFile(m_focusLogPath, m_unshown);
}
