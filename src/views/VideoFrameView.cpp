#include "VideoFrameView.h"

#include "services/VideoFrameImage.h"

#include <QPointer>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QVideoSink>

VideoFrameView::VideoFrameView(QQuickItem *parent)
    : QQuickItem(parent)
    , m_sink(new QVideoSink(this))
    , m_latest(std::make_shared<LatestFrame>())
{
    setFlag(ItemHasContents);
    // The sink sends from the pipeline's thread. Each frame there only replaces the kept one, and a single
    // request to draw waits at a time: a window that draws late never piles decoded frames up.
    connect(
        m_sink, &QVideoSink::videoFrameChanged, m_sink,
        [latest = m_latest, sink = m_sink, view = QPointer<VideoFrameView>(this)](const QVideoFrame &frame) {
            if (latest->put(frame))
                QMetaObject::invokeMethod(
                    sink,
                    [latest, view] {
                        latest->drawRequested = false;
                        if (view)
                            view->update();
                    },
                    Qt::QueuedConnection);
        },
        Qt::DirectConnection);
}

bool VideoFrameView::LatestFrame::put(const QVideoFrame &incoming)
{
    const std::lock_guard lock(mutex);
    frame = incoming;
    isNew = true;
    return !drawRequested.exchange(true);
}

std::optional<QVideoFrame> VideoFrameView::LatestFrame::takeNew()
{
    const std::lock_guard lock(mutex);
    if (!isNew)
        return std::nullopt;
    isNew = false;
    return std::exchange(frame, QVideoFrame());
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
    std::optional<QVideoFrame> incoming = m_latest->takeNew();
    if (incoming)
        m_frame = std::move(*incoming);
    if (incoming || !picture) {
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
