#pragma once

#include <QObject>
#include <QPointer>

class QQuickWindow;

// The program spends most of the day closed to the tray. While its main window is hidden, the window
// keeps neither its scene graph nor its graphics context, and the heap they used goes back to the system;
// both are built again when the window shows. Under Qt Quick's software adaptation there is no context
// and nothing of this is released, except the freed heap; the window's backing store (its size in pixels,
// four bytes each) stays, as Qt offers no way to drop it short of destroying the window.
class HiddenWindowGraphics : public QObject
{
    Q_OBJECT

public:
    explicit HiddenWindowGraphics(QQuickWindow &window, QObject *parent = nullptr);

private:
    void release();
    void returnFreedHeap();

    QPointer<QQuickWindow> m_window;
};
