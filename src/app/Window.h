#pragma once

#include <QObject>
#include <QString>
#include <functional>

class WindowControl;
class Workspace;

// The main window as the program brings it forward or shows it full screen, and the two logs as the file
// manager shows them.
class Window : public QObject
{
    Q_OBJECT
    // The full paths of the two CSV logs.
    Q_PROPERTY(QString activityLogPath READ activityLogPath CONSTANT FINAL)
    Q_PROPERTY(QString focusLogPath READ focusLogPath CONSTANT FINAL)

public:
    // `unshown` tells the user about a log's folder that nothing on the desktop could show.
    Window(WindowControl &window, Workspace &workspace, QString activityLogPath, QString focusLogPath,
        std::function<void(const QString &folder)> unshown);

    const QString &activityLogPath() const { return m_activityLogPath; }
    const QString &focusLogPath() const { return m_focusLogPath; }

    Q_INVOKABLE void bringMainWindowForward();
    Q_INVOKABLE void openActivityLogInFileManager();
    Q_INVOKABLE void openFocusLogInFileManager();
    // The locked break covers the screen where the window system lets it.
    void enterFullScreen();

private:
    WindowControl &m_window;
    Workspace &m_workspace;
    const QString m_activityLogPath;
    const QString m_focusLogPath;
    const std::function<void(const QString &folder)> m_unshown;
};
