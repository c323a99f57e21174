#include "ui/shell/HiddenWindowGraphics.h"

#include <QQuickWindow>
#include <malloc.h>

HiddenWindowGraphics::HiddenWindowGraphics(QQuickWindow &window, QObject *parent)
    : QObject(parent)
    , m_window(&window)
{
    window.setPersistentGraphics(false);
    window.setPersistentSceneGraph(false);
    connect(&window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            release();
    });
    // The render thread tears the scene graph down after the window hides; the heap is trimmed once it
    // has, on this thread.
    connect(&window, &QQuickWindow::sceneGraphInvalidated, this, &HiddenWindowGraphics::returnFreedHeap,
        Qt::QueuedConnection);
}

void HiddenWindowGraphics::release()
{
    if (!m_window)
        return;
    m_window->releaseResources();
    // Without a render thread the release is done by the next event round.
    QMetaObject::invokeMethod(this, &HiddenWindowGraphics::returnFreedHeap, Qt::QueuedConnection);
}

void HiddenWindowGraphics::returnFreedHeap()
{
    if (m_window && !m_window->isVisible())
        malloc_trim(0);
}
