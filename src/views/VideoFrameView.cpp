#include "VideoFrameView.h"

#include "services/VideoFrameImage.h"

#include <QPainter>
#include <QPointer>
#include <QVideoSink>

VideoFrameView::VideoFrameView(QQuickItem *parent)
    : QQuickPaintedItem(parent)
    , m_sink(new QVideoSink(this))
    , m_latest(std::make_shared<LatestFrame>())
{
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

void VideoFrameView::paint(QPainter *painter)
{
    // A stop or a flush hands the sink an empty frame: nothing is shown, as after a stop. A window that
    // gave up its graphics while hidden paints the kept picture again when it is shown.
    if (std::optional<QVideoFrame> incoming = m_latest->takeNew()) {
        m_picture = VideoFrameImage::upright(*incoming);
        // Emitted on this item's thread, after the scene graph has taken the frame.
        QMetaObject::invokeMethod(this, &VideoFrameView::frameShown, Qt::QueuedConnection);
    }
    if (m_picture.isNull())
        return;
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(boundingRect(), m_picture, VideoFrameImage::coverSource(m_picture.size(), size()));
}
