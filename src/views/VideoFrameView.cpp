#include "VideoFrameView.h"

#include <QPainter>
#include <QQuickWindow>
#include <cmath>

VideoFrameView::VideoFrameView(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    // Every frame covers the whole item: nothing needs clearing before it is drawn.
    setFillColor(QColor());
}

void VideoFrameView::setPipeline(LoopingVideoPipeline *pipeline)
{
    if (pipeline == m_pipeline)
        return;
    disconnect(m_frameReady);
    m_pipeline = pipeline;
    {
        const std::lock_guard lock(m_framesMutex);
        m_frames = pipeline ? pipeline->frames() : nullptr;
    }
    if (pipeline)
        m_frameReady = connect(pipeline, &LoopingVideoPipeline::frameReady, this, [this] {
            // Until a frame comes, what lies behind shows; from then on, what lies behind is never
            // drawn.
            setOpaquePainting(true);
            update();
        });
    requestFrameSize();
    emit pipelineChanged();
}

void VideoFrameView::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    requestFrameSize();
}

void VideoFrameView::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickPaintedItem::itemChange(change, value);
    if (change == ItemSceneChange || change == ItemDevicePixelRatioHasChanged)
        requestFrameSize();
}

void VideoFrameView::requestFrameSize()
{
    if (!m_pipeline)
        return;
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    m_pipeline->setFrameSize(QSize(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio))));
}

std::shared_ptr<LatestVideoFrame> VideoFrameView::frames()
{
    const std::lock_guard lock(m_framesMutex);
    return m_frames;
}

void VideoFrameView::paint(QPainter *painter)
{
    // A window that gave up its graphics while hidden paints the kept picture again when it is shown.
    if (const std::shared_ptr<LatestVideoFrame> latest = frames()) {
        if (std::optional<QImage> incoming = latest->takeNew()) {
            m_picture = std::move(*incoming);
            // Emitted on this item's thread, after the scene graph has taken the frame.
            QMetaObject::invokeMethod(this, &VideoFrameView::frameShown, Qt::QueuedConnection);
        }
    }
    // The frame is opaque and, but for a resize in progress, exactly the size drawn: a plain copy. Before
    // the first one, the item is clear, so that what lies behind shows.
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    if (m_picture.isNull()) {
        painter->fillRect(boundingRect(), Qt::transparent);
        return;
    }
    painter->drawImage(boundingRect(), m_picture);
}
