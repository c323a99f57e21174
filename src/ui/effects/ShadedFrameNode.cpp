#include "ui/effects/ShadedFrameNode.h"

#include "media/FrameShade.h"

#include <QPainter>
#include <QQuickWindow>

ShadedFrameNode::ShadedFrameNode(QQuickWindow *window)
    : m_window(window)
{ }

void ShadedFrameNode::show(
    const QImage &frame, const std::vector<std::uint16_t> &lineFactors, const QRectF &rect)
{
    if (frame.cacheKey() == m_frame.cacheKey() && lineFactors == m_lineFactors && rect == m_rect)
        return;
    m_frame = frame;
    m_lineFactors = lineFactors;
    m_rect = rect;
    markDirty(DirtyMaterial);
}

void ShadedFrameNode::render(const RenderState *state)
{
    auto *painter = static_cast<QPainter *>(
        m_window->rendererInterface()->getResource(m_window, QSGRendererInterface::PainterResource));
    if (!painter || m_frame.isNull() || m_lineFactors.size() != std::size_t(m_frame.height()))
        return;
    // The region to draw, when given, is in the window's units with the node's transform applied.
    const QRegion *clip = state->clipRegion();
    const QTransform transform = matrix()->toTransform();
    const QPointF origin = transform.map(m_rect.topLeft());
    if (painter->device()->devType() == QInternal::Image && painter->deviceTransform().isIdentity()
        && transform.type() <= QTransform::TxTranslate && origin == origin.toPoint()
        && m_frame.size() == m_rect.size().toSize()) {
        // The copy the image node made anyway, straight into the window's pixels, now darkening as it goes.
        const QRect placed(origin.toPoint(), m_frame.size());
        if (copyShadedFrame(*static_cast<QImage *>(painter->device()), m_frame, placed.topLeft(),
                clip ? *clip : QRegion(placed), m_lineFactors))
            return;
    }
    // Anywhere else (a layer's pixmap, a frame of another size while the window is resized): a darkened
    // copy, drawn.
    QImage shaded(m_frame.size(), QImage::Format_RGB32);
    copyShadedFrame(shaded, m_frame, QPoint(0, 0), QRegion(shaded.rect()), m_lineFactors);
    painter->save();
    if (clip)
        painter->setClipRegion(*clip);
    painter->setTransform(transform, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(m_rect, shaded);
    painter->restore();
}

bool copyShadedFrame(QImage &target, const QImage &frame, const QPoint &origin, const QRegion &region,
    const std::vector<std::uint16_t> &lineFactors)
{
    const QImage::Format format = target.format();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32
            && format != QImage::Format_ARGB32_Premultiplied)
        || frame.depth() != 32 || lineFactors.size() != std::size_t(frame.height()))
        return false;
    const QRegion within = region.intersected(QRect(origin, frame.size()));
    for (const QRect &area : within) {
        const QRect pixels = area & target.rect();
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            // Written where the painter writes: through a detached copy it would never be shown.
            auto *line = reinterpret_cast<std::uint32_t *>(const_cast<uchar *>(target.constScanLine(y)));
            const int frameLine = y - origin.y();
            copyShaded(line + pixels.left(),
                reinterpret_cast<const std::uint32_t *>(frame.constScanLine(frameLine))
                    + (pixels.left() - origin.x()),
                pixels.width(), lineFactors[std::size_t(frameLine)]);
        }
    }
    return true;
}
