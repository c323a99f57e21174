#pragma once

#include <QObject>
#include <QPointer>

class QQuickWindow;

// The program spends most of the day closed to the tray. While its main window is hidden, the window
// keeps neither its scene graph nor its graphics context, and the heap they used goes back to the system;
// both are built again when the window shows.
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
