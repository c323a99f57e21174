#include "ui/effects/GlassBackdrop.h"

#include "ui/effects/BackdropCapture.h"
#include "ui/effects/BoxBlur.h"
#include "ui/effects/RasterBands.h"

#include <QPainter>
#include <QQuickWindow>
#include <algorithm>
#include <cmath>

namespace {

// `image` with a border of one pixel that repeats its edge, so that a smooth brush, which repeats the
// image beyond its bounds, never mixes the opposite edge into the panel's own.
QImage withEdgeRepeated(const QImage &image)
{
    QImage result(image.width() + 2, image.height() + 2, image.format());
    for (int y = 0; y < result.height(); ++y) {
        const auto *source
            = reinterpret_cast<const QRgb *>(image.constScanLine(std::clamp(y - 1, 0, image.height() - 1)));
        auto *row = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            row[x] = source[std::clamp(x - 1, 0, image.width() - 1)];
    }
    return result;
}

} // namespace

GlassBackdrop::GlassBackdrop(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

GlassBackdrop::~GlassBackdrop()
{
    if (m_capture && m_viewing)
        m_capture->removeViewer(this);
}

void GlassBackdrop::setBackdrop(QQuickItem *backdrop)
{
    if (backdrop == m_backdrop)
        return;
    if (m_capture) {
        disconnect(m_capture, nullptr, this, nullptr);
        if (m_viewing)
            m_capture->removeViewer(this);
    }
    m_viewing = false;
    m_backdrop = backdrop;
    m_capture = backdrop ? BackdropCapture::of(*backdrop) : nullptr;
    if (m_capture) {
        connect(m_capture, &BackdropCapture::captured, this, &GlassBackdrop::captureChanged);
        connect(m_capture, &BackdropCapture::frameArriving, this, [this] {
            if (m_captureChanged && !m_joinedFrame) {
                m_joinedFrame = true;
                update();
            }
        });
    }
    followViewing();
    captureChanged();
    followSlice();
    emit backdropChanged();
}

void GlassBackdrop::setRadius(qreal radius)
{
    if (qFuzzyCompare(radius, m_radius))
        return;
    m_radius = radius;
    update();
    emit radiusChanged();
}

void GlassBackdrop::setTint(const QColor &tint)
{
    if (tint == m_tint)
        return;
    m_tint = tint;
    m_tinted = QImage();
    update();
    emit tintChanged();
}

void GlassBackdrop::setBorderColor(const QColor &color)
{
    if (color == m_borderColor)
        return;
    m_borderColor = color;
    update();
    emit borderColorChanged();
}

QRect GlassBackdrop::captureCrop(const QRectF &slice, const QSizeF &backdropSize, const QSize &captureSize)
{
    if (slice.isEmpty() || backdropSize.isEmpty() || captureSize.isEmpty())
        return {};
    const qreal xScale = captureSize.width() / backdropSize.width();
    const qreal yScale = captureSize.height() / backdropSize.height();
    const int left = int(std::floor(slice.left() * xScale));
    const int top = int(std::floor(slice.top() * yScale));
    const int right = int(std::ceil(slice.right() * xScale));
    const int bottom = int(std::ceil(slice.bottom() * yScale));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & QRect(QPoint(0, 0), captureSize);
}

void GlassBackdrop::itemChange(ItemChange change, const ItemChangeData &data)
{
    if (change == ItemSceneChange)
        followWindow(data.window);
    QQuickPaintedItem::itemChange(change, data);
    if (change == ItemSceneChange || change == ItemVisibleHasChanged)
        followViewing();
}

void GlassBackdrop::followViewing()
{
    const bool viewing = m_capture && window() && isVisible();
    if (viewing == m_viewing)
        return;
    m_viewing = viewing;
    if (viewing) {
        m_capture->setViewedPart(this, m_slice);
        m_capture->addViewer();
    } else {
        m_capture->removeViewer(this);
    }
}

void GlassBackdrop::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    followSlice();
}

// Whatever moves the panel (its host, an animation, a resized window) draws a new frame, so the slice is
// looked at once per frame rather than through every ancestor's geometry.
void GlassBackdrop::followWindow(QQuickWindow *window)
{
    disconnect(m_frames);
    if (window)
        m_frames = connect(window, &QQuickWindow::afterAnimating, this, &GlassBackdrop::followSlice);
}

void GlassBackdrop::followSlice()
{
    const QRectF slice = m_backdrop ? mapRectToItem(m_backdrop, boundingRect()) : QRectF();
    // A capture of a moving backdrop waits for the backdrop's next frame, which it joins.
    if (slice == m_slice && !(m_captureChanged && !m_joinedFrame && m_capture && m_capture->isMoving()))
        return;
    m_slice = slice;
    if (m_viewing)
        m_capture->setViewedPart(this, slice);
    update();
}

void GlassBackdrop::captureChanged()
{
    m_captureChanged = true;
    // A window drawn again only for the panel would redraw everything over it a second time between two
    // frames of a video.
    if (!m_capture || !m_capture->isMoving())
        update();
}

void GlassBackdrop::blurSlice()
{
    const QImage &capture = m_capture->image();
    const QRect crop = captureCrop(m_slice, m_capture->capturedSize(), capture.size());
    if (!m_captureChanged && crop == m_blurredCrop)
        return;
    m_captureChanged = false;
    m_blurredCrop = crop;
    m_tinted = QImage();
    if (crop.isEmpty()) {
        m_blurred = QImage();
        return;
    }
    const qreal sigma = blurSigma * capture.width() / m_capture->capturedSize().width();
    m_blurred = withEdgeRepeated(blurredWithEdgesExtended(capture.copy(crop), sigma));
}

const QImage &GlassBackdrop::tintedSlice()
{
    if (m_tinted.isNull() && !m_blurred.isNull()) {
        m_tinted = m_blurred;
        QPainter tinting(&m_tinted);
        tinting.fillRect(m_tinted.rect(), m_tint);
    }
    return m_tinted;
}

// The panel's rounded shape as coverage, and its outline, painted once per size and look in the pixels of
// `area` (where `toDevice` puts the panel): they are laid on the glass as pictures, which the raster engine
// blends on this thread.
void GlassBackdrop::shapePictures(const QTransform &toDevice, const QRect &area, qreal corner)
{
    if (toDevice == m_shapeTransform && area.size() == m_shape.size() && qFuzzyCompare(corner, m_shapeCorner)
        && m_outlineColor == m_borderColor)
        return;
    m_shapeTransform = toDevice;
    m_shapeCorner = corner;
    m_outlineColor = m_borderColor;
    const QTransform placement = toDevice * QTransform::fromTranslate(-area.left(), -area.top());
    const QRectF bounds(0, 0, width(), height());
    const auto painted = [&](const auto &draw) {
        QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(placement);
        draw(painter);
        return image;
    };
    m_shape = painted([&](QPainter &painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(bounds, corner, corner);
    });
    m_outline = QImage();
    if (m_borderColor.alpha() > 0)
        m_outline = painted([&](QPainter &painter) {
            // An outline of one pixel on the panel's outermost pixels, as a Rectangle's border lies.
            painter.setPen(QPen(m_borderColor, 1));
            const qreal inset = std::max<qreal>(corner - 0.5, 0);
            painter.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), inset, inset);
        });
}

void GlassBackdrop::paint(QPainter *painter)
{
    m_joinedFrame = false;
    const QRectF bounds(0, 0, width(), height());
    // Drawn in device pixels, unscaled: the painter's scaling is taken into each picture's placement.
    const QTransform toDevice = painter->transform();
    const QRect area = toDevice.mapRect(bounds).toAlignedRect();
    if (area.isEmpty())
        return;
    // As a Rectangle does, a radius beyond half the shorter side makes a capsule.
    const qreal corner = std::min(m_radius, std::min(width(), height()) / 2);
    shapePictures(toDevice, area, corner);

    // Until the backdrop is captured, and where the panel lies beyond it, the tint alone.
    QBrush brush(m_tint);
    const bool captured = m_capture && !m_capture->image().isNull() && !m_slice.isEmpty();
    if (captured)
        blurSlice();
    if (captured && !m_blurred.isNull()) {
        // From the capture's pixels to the backdrop's units, then to this item's.
        const QSizeF backdrop = m_capture->capturedSize();
        const QSize capture = m_capture->image().size();
        const qreal toBackdropX = backdrop.width() / capture.width();
        const qreal toBackdropY = backdrop.height() / capture.height();
        const qreal toItemX = width() / m_slice.width();
        const qreal toItemY = height() / m_slice.height();
        QTransform placement;
        // The blurred image starts a pixel before its crop, at its repeated edge.
        const QPoint origin = m_blurredCrop.topLeft() - QPoint(1, 1);
        placement.translate((origin.x() * toBackdropX - m_slice.left()) * toItemX,
            (origin.y() * toBackdropY - m_slice.top()) * toItemY);
        placement.scale(toBackdropX * toItemX, toBackdropY * toItemY);
        brush = QBrush(tintedSlice());
        brush.setTransform(placement * toDevice);
    }
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    drawInBands(*painter, area, [&] { painter->fillRect(area, brush); });
    // The shape's edge pixels take its coverage, each once: the rows of the rounded corners, and the side
    // columns between them, where a panel on fractional pixels covers part of a pixel.
    painter->setCompositionMode(QPainter::CompositionMode_DestinationIn);
    const int cornerRows = std::min(area.height(), int(std::ceil(corner * toDevice.m22())) + 2);
    const int middleTop = area.top() + cornerRows;
    const int bottomTop = std::max(middleTop, area.bottom() + 1 - cornerRows);
    const int rightColumn = std::max(area.left() + 2, area.right() - 1);
    const QRect edges[] = { QRect(area.left(), area.top(), area.width(), cornerRows),
        QRect(area.left(), bottomTop, area.width(), area.bottom() + 1 - bottomTop),
        QRect(area.left(), middleTop, 2, bottomTop - middleTop),
        QRect(rightColumn, middleTop, area.right() + 1 - rightColumn, bottomTop - middleTop) };
    for (const QRect &edge : edges)
        drawInBands(*painter, edge, [&] { painter->drawImage(area.topLeft(), m_shape); });
    if (!m_outline.isNull()) {
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        drawInBands(*painter, area, [&] { painter->drawImage(area.topLeft(), m_outline); });
    }
    painter->restore();
}
