#pragma once

#include <QObject>
#include <functional>

class QWindow;

// The ways out of the program from its main window. Ctrl+Q, the platform's quit key, always quits; a key
// dropped while the keyboard is locked never reaches it. Closing the window only hides it while a tray
// host shows the icon, whose menu then offers Quit; without a tray host nothing could bring the window
// back or end the program, so closing quits.
class MainWindowQuit : public QObject
{
    Q_OBJECT

public:
    // `trayShowsIcon` is asked at every close: a tray host may have come or gone since the start.
    // `mayQuit` is asked before each quit; a close it refuses leaves the window open.
    MainWindowQuit(
        QWindow &window, std::function<bool()> trayShowsIcon,
        std::function<bool()> mayQuit = [] { return true; }, QObject *parent = nullptr);

signals:
    void quitRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool()> m_trayShowsIcon;
    std::function<bool()> m_mayQuit;
};
