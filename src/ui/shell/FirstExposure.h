#pragma once

#include <QObject>
#include <functional>

class QWindow;

// Runs an action once a window is first on the screen, from the event loop after that exposure: a sheet
// opened over a main window that the window manager has not mapped yet would be placed and stacked before
// the main window itself is.
class FirstExposure : public QObject
{
    Q_OBJECT

public:
    // Owned by `window`, and gone once the action has run.
    static void run(QWindow &window, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FirstExposure(QWindow &window, std::function<void()> action);
    void runLater();

    std::function<void()> m_action;
};
