#pragma once

#include <QImage>
#include <QQuickPaintedItem>
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
class VideoFrameView : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QVideoSink *videoSink READ videoSink CONSTANT)

public:
    explicit VideoFrameView(QQuickItem *parent = nullptr);

    QVideoSink *videoSink() const { return m_sink; }
    void paint(QPainter *painter) override;

signals:
    // A new frame has been drawn.
    void frameShown();

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
    // The latest frame as a picture, kept for a scene graph built anew.
    QImage m_picture;
};
