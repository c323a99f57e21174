#pragma once

#include "media/LatestVideoFrame.h"
#include "media/VideoDecoderProcess.h"

#include <QImage>
#include <QPointer>
#include <QQuickItem>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// Draws the frames of a video pipeline, which it asks for frames of exactly its own size in device
// pixels: a frame becomes the item's texture as it is, never scaled, converted or painted over first. With
// OpenGL the decoder darkens the frames; Qt Quick's software adaptation darkens them as it copies them into
// the window, which it does with every frame anyway.
class VideoFrameView : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(VideoDecoderProcess *pipeline READ pipeline WRITE setPipeline NOTIFY pipelineChanged FINAL)

public:
    explicit VideoFrameView(QQuickItem *parent = nullptr);

    VideoDecoderProcess *pipeline() const { return m_pipeline; }
    void setPipeline(VideoDecoderProcess *pipeline);
    // The frame drawn last; null before the first. On the item's thread, outside the scene graph's sync.
    // Under the software adaptation it is not yet darkened: see `darkenAsDrawn()`.
    QImage picture() const { return m_picture; }
    // Darkens `area` of `image`, reduced from `picture()` to any size, as this view darkens the frame it
    // draws.
    void darkenAsDrawn(QImage &image, const QRegion &area) const;

signals:
    void pipelineChanged();
    // A new frame has been drawn.
    void frameShown();
    // A new frame waits for the window's next drawing, which it has asked for.
    void frameArriving();

protected:
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;

private:
    void requestFrameSize();
    std::shared_ptr<LatestVideoFrame> frames();

    QPointer<VideoDecoderProcess> m_pipeline;
    QMetaObject::Connection m_frameReady;
    QMetaObject::Connection m_shadeChanged;
    // Read where the item draws, which may be the render thread.
    std::mutex m_framesMutex;
    std::shared_ptr<LatestVideoFrame> m_frames;
    // The latest frame, kept for a scene graph built anew.
    QImage m_picture;
    // Under the software adaptation the frames are darkened as they are drawn, by these factors per line.
    const bool m_shadesWhereDrawn;
    FrameShade m_shade;
    std::vector<std::uint16_t> m_lineFactors;
};
