#pragma once

#include <QPointF>
#include <QQuickItem>
#include <QRect>

// The invisible corner square that resizes the main window. It hands the drag to the window manager;
// where there is none (or it declines), it resizes the window itself from the frame at the drag's start,
// so the size follows the pointer without drift.
class WindowResizeHandle : public QQuickItem
{
    Q_OBJECT

public:
    explicit WindowResizeHandle(QQuickItem *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseUngrabEvent() override;

private:
    bool canResize() const;

    bool m_dragging = false;
    QRect m_startFrame;
    QPointF m_startPointer;
};
