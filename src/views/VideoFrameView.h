#pragma once

#include <QQuickItem>
#include <QVideoFrame>
#include <QVideoSink>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

// A video drawn from a sink of its own, scaled to cover the item and cropped about its centre. A player
// renders into `videoSink`. Only the latest frame is kept, and it is converted to a picture only when the
// item draws, so frames that come faster than the window draws cost nothing. The sink never gets the
// window's graphics, so the video draws the same way whether the window renders with OpenGL or without.
class VideoFrameView : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QVideoSink *videoSink READ videoSink CONSTANT)

public:
    explicit VideoFrameView(QQuickItem *parent = nullptr);

    QVideoSink *videoSink() const { return m_sink; }

signals:
    // A new frame has been drawn.
    void frameShown();

protected:
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;

private:
    // Handed over from the pipeline's thread.
    struct LatestFrame
    {
        // Whether the caller is to request a drawing.
        bool put(const QVideoFrame &incoming);
        std::optional<QVideoFrame> takeNew();

        std::mutex mutex;
        QVideoFrame frame;
        bool isNew = false;
        std::atomic<bool> drawRequested = false;
    };

    QVideoSink *m_sink;
    std::shared_ptr<LatestFrame> m_latest;
    // The latest frame drawn, kept for a scene graph built anew.
    QVideoFrame m_frame;
};
