#include "ui/effects/BackdropCapture.h"

#include "core/QtOneShotTimer.h"
#include "ui/effects/GlassBackdrop.h"
#include "ui/effects/RasterBands.h"
#include "ui/effects/VideoFrameView.h"

#include <QPainter>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <cmath>

BackdropCapture *BackdropCapture::of(QQuickItem &item)
{
    if (auto *existing = item.findChild<BackdropCapture *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new BackdropCapture(item, std::make_unique<QtOneShotTimer>());
}

BackdropCapture::BackdropCapture(QQuickItem &item, std::unique_ptr<OneShotTimer> gap)
    : QObject(&item)
    , m_item(item)
    , m_gap(std::move(gap))
{
    connect(&item, &QQuickItem::widthChanged, this, &BackdropCapture::markStale);
    connect(&item, &QQuickItem::heightChanged, this, &BackdropCapture::markStale);
    connect(&item, &QQuickItem::windowChanged, this, &BackdropCapture::followWindow);
    // The backdrop's QML declares `contentChanged()`; without it only a resize would show a change.
    const int contentChanged = item.metaObject()->indexOfSignal("contentChanged()");
    if (contentChanged >= 0)
        connect(&item, item.metaObject()->method(contentChanged), this,
            staticMetaObject.method(staticMetaObject.indexOfSlot("markStale()")));
    else
        qWarning(
            "The glass's backdrop %s has no contentChanged() signal; it is captured again only when resized",
            qPrintable(item.objectName()));
    followWindow(item.window());
}

BackdropCapture::~BackdropCapture() = default;

void BackdropCapture::addViewer()
{
    ++m_viewers;
    captureWhenPossible();
}

void BackdropCapture::removeViewer(const QObject *viewer)
{
    --m_viewers;
    m_viewedParts.remove(viewer);
}

void BackdropCapture::setViewedPart(const QObject *viewer, const QRectF &part)
{
    m_viewedParts.insert(viewer, part);
    if (!m_fromFrame || m_image.isNull())
        return;
    // A panel that moved or appeared since the last frame was reduced gets its part from the frame shown
    // now, at once: what it shows must never be pixels that were not reduced.
    const QRegion missing
        = QRegion(GlassBackdrop::captureCrop(part, m_capturedSize, m_image.size())) - m_reduced;
    if (missing.isEmpty())
        return;
    VideoFrameView *view = shownFrameView();
    if (const QImage frame = view && view == m_frameView ? view->picture() : QImage(); !frame.isNull())
        reduceFrame(*view, frame, missing);
    else
        markStale();
}

QRegion BackdropCapture::viewedPixels() const
{
    const QRect whole(QPoint(0, 0), m_image.size());
    if (m_viewers > m_viewedParts.size())
        return whole;
    QRegion pixels;
    for (const QRectF &part : m_viewedParts)
        pixels += GlassBackdrop::captureCrop(part, m_capturedSize, m_image.size());
    return pixels & whole;
}

// Reduced as drawing the scene at this size would reduce it, without drawing it: the capture of a video
// made the window draw once more between two frames. Each part is clipped from the same reduction of the
// whole frame, so a pixel is the same whichever parts are reduced with it.
void BackdropCapture::reduceFrame(const VideoFrameView &view, const QImage &frame, const QRegion &pixels)
{
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect whole(QPoint(0, 0), m_image.size());
    for (const QRect &part : pixels)
        drawInBands(painter, part, [&] { painter.drawImage(whole, frame); });
    painter.end();
    view.darkenAsDrawn(m_image, pixels);
    m_reduced += pixels;
}

void BackdropCapture::markStale()
{
    m_stale = true;
    captureWhenPossible();
}

void BackdropCapture::followWindow(QQuickWindow *window)
{
    if (m_window)
        disconnect(m_window, nullptr, this, nullptr);
    m_window = window;
    if (window)
        connect(window, &QWindow::visibleChanged, this, &BackdropCapture::captureWhenPossible);
    markStale();
}

void BackdropCapture::captureWhenPossible()
{
    // A capture in flight is finished first, and the gap after the last one waited out; a change
    // meanwhile takes another one after them.
    if (!m_stale || m_pending || m_gap->isPending() || m_viewers <= 0 || !m_window || !m_window->isVisible())
        return;
    const QSizeF size(m_item.width(), m_item.height());
    if (size.width() < 1 || size.height() < 1)
        return;
    const QSize pixels(std::max(1, int(std::ceil(size.width() * scale))),
        std::max(1, int(std::ceil(size.height() * scale))));
    VideoFrameView *view = shownFrameView();
    if (const QImage frame = view ? view->picture() : QImage(); !frame.isNull()) {
        followFrames(view);
        m_image = QImage(pixels, frame.format());
        m_image.fill(Qt::black);
        m_capturedSize = size;
        m_fromFrame = true;
        m_reduced = QRegion();
        reduceFrame(*view, frame, viewedPixels());
        m_stale = false;
        m_moving = true;
        m_gap->start(minimumGap, [this] { captureWhenPossible(); });
        emit captured();
        // Taken between a frame's arrival and its drawing: the capture joins that drawing.
        if (m_frameWaiting)
            emit frameArriving();
        return;
    }
    m_pending = m_item.grabToImage(pixels);
    if (!m_pending)
        return;
    m_stale = false;
    m_pendingSize = size;
    m_gap->start(minimumGap, [this] { captureWhenPossible(); });
    connect(m_pending.data(), &QQuickItemGrabResult::ready, this, &BackdropCapture::takeResult);
}

void BackdropCapture::takeResult()
{
    m_finished = std::exchange(m_pending, {});
    m_image = m_finished->image();
    m_capturedSize = m_pendingSize;
    m_fromFrame = false;
    m_reduced = QRect(QPoint(0, 0), m_image.size());
    m_moving = m_stale;
    emit captured();
    captureWhenPossible();
}

void BackdropCapture::followFrames(VideoFrameView *view)
{
    if (view == m_frameView)
        return;
    if (m_frameView)
        disconnect(m_frameView, nullptr, this, nullptr);
    m_frameView = view;
    m_frameWaiting = false;
    connect(view, &VideoFrameView::frameArriving, this, [this] {
        m_frameWaiting = true;
        emit frameArriving();
    });
    connect(view, &VideoFrameView::frameShown, this, [this] { m_frameWaiting = false; });
}

VideoFrameView *BackdropCapture::shownFrameView() const
{
    if (!m_item.property("showsFramesOnly").toBool())
        return nullptr;
    QList<QQuickItem *> items = m_item.childItems();
    while (!items.isEmpty()) {
        QQuickItem *item = items.takeLast();
        if (auto *view = qobject_cast<VideoFrameView *>(item); view && view->isVisible())
            return view;
        items += item->childItems();
    }
    return nullptr;
}
