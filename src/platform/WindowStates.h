#pragma once

#include <QObject>
#include <QWindow>
#include <optional>

// Whether the user left the main window maximised, beneath full screen, minimised and hidden. The window
// manager's state is no guide there: it may drop maximised from a window in full screen or withdrawn, and
// Qt's window states follow it. One per window, owned by it.
class MaximizedMemory : public QObject
{
    Q_OBJECT

public:
    static MaximizedMemory &of(QWindow &window);

    bool isMaximized() const { return m_maximized; }
    // For a window about to show maximised as it was left.
    void setMaximized(bool maximized) { m_maximized = maximized; }
    // The window manager passes through other states on its way to one we ask for; what it reports
    // meanwhile is not the user's doing.
    void expect(Qt::WindowStates states) { m_expected = states; }

private:
    explicit MaximizedMemory(QWindow &window);
    void follow(Qt::WindowStates states, bool visible);

    bool m_maximized = false;
    std::optional<Qt::WindowStates> m_expected;
};

// The main window's full screen and showing again, each on top of maximised or not, so that leaving full
// screen or coming back from the tray or the task bar finds the window maximised if the user left it so.
namespace WindowStates {

void showFullScreen(QWindow &window);
void leaveFullScreen(QWindow &window);
// Out of minimised, hidden and full screen.
void showRestored(QWindow &window);

} // namespace WindowStates
