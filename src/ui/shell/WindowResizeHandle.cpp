#include "ui/shell/WindowResizeHandle.h"

#include "app/WindowResizeGeometry.h"

#include <QMouseEvent>
#include <QQuickWindow>

WindowResizeHandle::WindowResizeHandle(QQuickItem *parent)
    : QQuickItem(parent)
{
    setAcceptedMouseButtons(Qt::LeftButton);
}

bool WindowResizeHandle::canResize() const
{
    const QQuickWindow *target = window();
    // A window whose minimum and maximum sizes agree cannot be resized.
    return target && !target->windowStates().testFlag(Qt::WindowFullScreen)
        && target->minimumSize() != target->maximumSize();
}

void WindowResizeHandle::mousePressEvent(QMouseEvent *event)
{
    m_dragging = false;
    if (!canResize())
        return; // taken, and nothing happens
    if (window()->startSystemResize(Qt::RightEdge | Qt::BottomEdge))
        return;
    m_dragging = true;
    m_startFrame = window()->geometry();
    m_startPointer = event->globalPosition();
}

void WindowResizeHandle::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !canResize())
        return;
    const QPoint translation = (event->globalPosition() - m_startPointer).toPoint();
    window()->setGeometry(resizedWindowFrame(m_startFrame, translation, window()->minimumSize()));
}

void WindowResizeHandle::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

void WindowResizeHandle::mouseUngrabEvent()
{
    m_dragging = false;
}
