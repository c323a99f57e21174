#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRegion>
#include <QSharedPointer>
#include <QSizeF>
#include <chrono>
#include <memory>

class OneShotTimer;
class QQuickItem;
class QQuickItemGrabResult;
class QQuickWindow;
class VideoFrameView;

// A reduced picture of an item, shared by every glass panel that shows it blurred. It is taken again only
// when the item's content changes: its size, or its `contentChanged()` signal where it has one (a still
// picture never emits it again; a playing video emits it for each frame). Nothing is taken while no panel
// looks at it or while its window is hidden. While the item's `showsFramesOnly` property is true, all it
// shows is the frame of the video view in it, and the picture is that frame reduced, with nothing drawn.
class BackdropCapture : public QObject
{
    Q_OBJECT

public:
    // Captured pixels per unit of the item: a blur this wide hides what a finer picture would add.
    static constexpr qreal scale = 0.25;

    // A playing video changes the backdrop every frame; under the glass's blur, ten captures a second
    // look the same as thirty, at a third of the cost. The last change is always taken, after the gap.
    static constexpr std::chrono::milliseconds minimumGap { 100 };

    // The one capture of `item`, made on first use and destroyed with the item.
    static BackdropCapture *of(QQuickItem &item);
    // Made by `of()` with a Qt timer; `gap` measures the time between two captures.
    BackdropCapture(QQuickItem &item, std::unique_ptr<OneShotTimer> gap);
    ~BackdropCapture() override;

    void addViewer();
    // `viewer` also stops showing the part it said it shows.
    void removeViewer(const QObject *viewer);
    // The part of the item, in its units, that `viewer` shows (none when empty). A reduced frame
    // is reduced only where some viewer looks: the reduction reads the frame again from memory, and the
    // panels cover little of it. While a viewer has not said which part it shows, all of it is reduced.
    void setViewedPart(const QObject *viewer, const QRectF &part);

    // Empty until the first capture is ready.
    const QImage &image() const { return m_image; }
    // The item's size when `image()` was taken.
    QSizeF capturedSize() const { return m_capturedSize; }
    // Whether `image()` shows the item as it is now, or nothing needs it to: with no panel shown, no
    // capture is due. It says the capture is ready, not that the panels have painted it yet.
    bool isCurrent() const { return m_viewers <= 0 || (!m_stale && !m_pending && !m_image.isNull()); }
    // The item changed again while `image()` was taken, as a playing video does with every frame: its next
    // change draws the window anyway, so what shows the capture can wait for that frame to redraw.
    bool isMoving() const { return m_moving; }

signals:
    void captured();
    // The video whose frames the capture is made of has a new frame on its way to the window: an update
    // asked for now joins the window's drawing of that frame.
    void frameArriving();

private slots:
    void markStale();

private:
    void followWindow(QQuickWindow *window);
    void captureWhenPossible();
    void takeResult();
    QRegion viewedPixels() const;
    void reduceFrame(const VideoFrameView &view, const QImage &frame, const QRegion &pixels);
    VideoFrameView *shownFrameView() const;
    void followFrames(VideoFrameView *view);

    QQuickItem &m_item;
    std::unique_ptr<OneShotTimer> m_gap;
    QPointer<QQuickWindow> m_window;
    QPointer<VideoFrameView> m_frameView;
    QSharedPointer<QQuickItemGrabResult> m_pending;
    // The last finished capture, kept until the next one finishes so that none is destroyed while it
    // still delivers its result.
    QSharedPointer<QQuickItemGrabResult> m_finished;
    QSizeF m_pendingSize;
    QImage m_image;
    QSizeF m_capturedSize;
    QHash<const QObject *, QRectF> m_viewedParts;
    // The pixels of `m_image` reduced from the frame; all of them for a capture drawn by the scene graph.
    QRegion m_reduced;
    // `m_image` was reduced from a video's frame rather than drawn by the scene graph.
    bool m_fromFrame = false;
    int m_viewers = 0;
    bool m_stale = true;
    bool m_moving = false;
    // The frame view has a frame on its way that it has not drawn yet.
    bool m_frameWaiting = false;
};
