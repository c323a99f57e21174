#include "ui/effects/VideoFrameView.h"

#include "ui/effects/ShadedFrameNode.h"

#include <QQuickWindow>
#include <QSGImageNode>
#include <cmath>

VideoFrameView::VideoFrameView(QQuickItem *parent)
    : QQuickItem(parent)
    , m_shadesWhereDrawn(QQuickWindow::sceneGraphBackend() == QLatin1String("software"))
{
    setFlag(ItemHasContents);
}

void VideoFrameView::setPipeline(VideoDecoderProcess *pipeline)
{
    if (pipeline == m_pipeline)
        return;
    disconnect(m_frameReady);
    disconnect(m_shadeChanged);
    m_pipeline = pipeline;
    {
        const std::lock_guard lock(m_framesMutex);
        m_frames = pipeline ? pipeline->frames() : nullptr;
    }
    if (pipeline) {
        m_frameReady = connect(pipeline, &VideoDecoderProcess::frameReady, this, [this] {
            update();
            emit frameArriving();
        });
        m_shadeChanged = connect(pipeline, &VideoDecoderProcess::shadeChanged, this, &QQuickItem::update);
        pipeline->setShadedWhereDrawn(m_shadesWhereDrawn);
    }
    requestFrameSize();
    emit pipelineChanged();
}

void VideoFrameView::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    requestFrameSize();
    update();
}

void VideoFrameView::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickItem::itemChange(change, value);
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

QSGNode *VideoFrameView::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    auto *node = static_cast<QSGImageNode *>(oldNode);
    bool pictureChanged = !node;
    if (const std::shared_ptr<LatestVideoFrame> latest = frames()) {
        if (std::optional<QImage> incoming = latest->takeNew()) {
            m_picture = std::move(*incoming);
            pictureChanged = true;
            // Emitted on this item's thread, after the scene graph has taken the frame.
            QMetaObject::invokeMethod(this, &VideoFrameView::frameShown, Qt::QueuedConnection);
        }
    }
    // Before the first frame nothing is drawn, so that what lies behind shows. A window that gave up its
    // graphics while hidden draws the kept picture again when it is shown.
    if (m_picture.isNull() || width() <= 0 || height() <= 0) {
        delete oldNode;
        return nullptr;
    }
    if (m_shadesWhereDrawn) {
        const FrameShade shade = m_pipeline ? m_pipeline->pendingShade() : FrameShade();
        if (shade != m_shade || m_lineFactors.size() != std::size_t(m_picture.height())) {
            m_shade = shade;
            m_lineFactors = shade.lineFactors(m_picture.height());
        }
        auto *frameNode = static_cast<ShadedFrameNode *>(oldNode);
        if (!frameNode)
            frameNode = new ShadedFrameNode(window());
        frameNode->show(m_picture, m_lineFactors, boundingRect());
        return frameNode;
    }
    if (!node) {
        node = window()->createImageNode();
        node->setOwnsTexture(true);
        // Smoothed only while a resize has not yet brought frames of the new size; the same size is a copy.
        node->setFiltering(QSGTexture::Linear);
    }
    // The frame is opaque: the texture has no alpha, so that drawing it copies where blending would mix.
    if (pictureChanged)
        node->setTexture(window()->createTextureFromImage(m_picture));
    node->setRect(boundingRect());
    return node;
}

void VideoFrameView::darkenAsDrawn(QImage &image, const QRegion &area) const
{
    if (!m_shadesWhereDrawn || !m_pipeline)
        return;
    copyShadedFrame(image, image, QPoint(0, 0), area, m_pipeline->pendingShade().lineFactors(image.height()));
}
