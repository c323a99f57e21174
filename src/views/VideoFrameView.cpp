#include "VideoFrameView.h"

#include "services/VideoFrameImage.h"

#include <QQuickWindow>
#include <QSGImageNode>
#include <QVideoSink>

VideoFrameView::VideoFrameView(QQuickItem *parent)
    : QQuickItem(parent)
    , m_sink(new QVideoSink(this))
{
    setFlag(ItemHasContents);
    // The sink may send from the pipeline's thread; the frame is then taken on this item's thread.
    connect(m_sink, &QVideoSink::videoFrameChanged, this, &VideoFrameView::takeFrame);
}

void VideoFrameView::takeFrame(const QVideoFrame &frame)
{
    m_frame = frame;
    m_frameIsNew = true;
    update();
}

void VideoFrameView::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        update();
}

QSGNode *VideoFrameView::updatePaintNode(QSGNode *node, UpdatePaintNodeData *)
{
    auto *picture = static_cast<QSGImageNode *>(node);
    // A window that gave up its graphics while hidden draws the kept frame again when it is shown.
    if (m_frameIsNew || !picture) {
        m_frameIsNew = false;
        // A stop or a flush hands the sink an empty frame: nothing is shown, as after a stop.
        const QImage image = VideoFrameImage::upright(m_frame);
        if (image.isNull()) {
            delete picture;
            return nullptr;
        }
        if (!picture) {
            picture = window()->createImageNode();
            picture->setOwnsTexture(true);
            picture->setFiltering(QSGTexture::Linear);
        }
        picture->setTexture(window()->createTextureFromImage(image));
        // Emitted on this item's thread, after the scene graph has taken the frame.
        QMetaObject::invokeMethod(this, &VideoFrameView::frameShown, Qt::QueuedConnection);
    }
    if (!picture)
        return nullptr;
    picture->setRect(boundingRect());
    picture->setSourceRect(VideoFrameImage::coverSource(picture->texture()->textureSize(), size()));
    return picture;
}
