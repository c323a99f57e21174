#include "platform/MainWindowQuit.h"

#include <QKeyEvent>
#include <QWindow>

MainWindowQuit::MainWindowQuit(QWindow &window, std::function<bool()> trayShowsIcon, QObject *parent)
    : QObject(parent)
    , m_trayShowsIcon(std::move(trayShowsIcon))
{
    // A filter on the window sees the key before any item of the view, and after the application's
    // keyboard-lock filter has dropped it.
    window.installEventFilter(this);
}

bool MainWindowQuit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Quit)) {
        emit quitRequested();
        return true;
    }
    if (event->type() == QEvent::Close && !m_trayShowsIcon())
        emit quitRequested();
    return QObject::eventFilter(watched, event);
}
