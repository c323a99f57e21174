#include "ui/effects/ShadowImage.h"

#include "ui/effects/BoxBlur.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

ShadowImage::ShadowImage(const QRectF &bounds, const std::function<void(QPainter &)> &paintContent,
    const QColor &colour, double blurRadius, const QPointF &offset, qreal devicePixelRatio)
{
    if (bounds.isEmpty())
        return;
    const double sigma = std::max(0.0, blurRadius / 2);
    const double margin = std::ceil(3 * sigma) + 1;
    const QRectF area = bounds.translated(offset).adjusted(-margin, -margin, margin, margin);
    const QSize pixels = (area.size() * devicePixelRatio).toSize() + QSize(1, 1);

    QImage mask(pixels, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(devicePixelRatio, devicePixelRatio);
        painter.translate(offset - area.topLeft());
        paintContent(painter);
    }

    const int width = pixels.width();
    const int height = pixels.height();
    std::vector<float> alpha(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uchar *row = mask.constScanLine(y);
        for (int x = 0; x < width; ++x)
            alpha[size_t(y) * size_t(width) + size_t(x)] = row[x];
    }
    blurWithZerosBeyond(alpha.data(), width, height, sigma * devicePixelRatio);

    m_image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    const double opacity = colour.alphaF();
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int a = std::clamp(
                int(std::lround(alpha[size_t(y) * size_t(width) + size_t(x)] * opacity)), 0, 255);
            row[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), a));
        }
    }
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_topLeft = area.topLeft();
}

void ShadowImage::draw(QPainter &painter) const
{
    if (!m_image.isNull())
        painter.drawImage(m_topLeft, m_image);
}
