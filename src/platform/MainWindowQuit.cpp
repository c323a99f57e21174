#include "MainWindowQuit.h"

#include "TrayHostPresence.h"

#include <QKeyEvent>
#include <QWindow>

MainWindowQuit::MainWindowQuit(QWindow &window, QObject *parent)
    : QObject(parent)
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
    // Asked at every close: a tray host may have come or gone since the start.
    if (event->type() == QEvent::Close && !TrayHostPresence::showsIcon(TrayHostPresence::current()))
        emit quitRequested();
    return QObject::eventFilter(watched, event);
}
