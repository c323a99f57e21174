#include "platform/MainWindowQuit.h"

#include <QKeyEvent>
#include <QWindow>

MainWindowQuit::MainWindowQuit(
    QWindow &window, std::function<bool()> trayShowsIcon, std::function<bool()> mayQuit, QObject *parent)
    : QObject(parent)
    , m_trayShowsIcon(std::move(trayShowsIcon))
    , m_mayQuit(std::move(mayQuit))
{
    // A filter on the window sees the key before any item of the view, and after the application's
    // keyboard-lock filter has dropped it.
    window.installEventFilter(this);
}

bool MainWindowQuit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Quit)) {
        if (m_mayQuit())
            emit quitRequested();
        return true;
    }
    if (event->type() == QEvent::Close && !m_trayShowsIcon()) {
        if (!m_mayQuit()) {
            event->ignore();
            return true;
        }
        emit quitRequested();
    }
    return QObject::eventFilter(watched, event);
}
