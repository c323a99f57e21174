#include "ShadowImage.h"

#include "BoxBlur.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// One box blur along a line of `length` values spaced `stride` apart; values beyond the ends count as 0.
void boxBlurLine(float *line, int length, int stride, int radius, std::vector<float> &scratch)
{
    if (radius <= 0)
        return;
    scratch.resize(size_t(length));
    for (int i = 0; i < length; ++i)
        scratch[size_t(i)] = line[i * stride];
    const float scale = 1.0f / float(2 * radius + 1);
    float sum = 0;
    for (int i = 0; i <= std::min(radius, length - 1); ++i)
        sum += scratch[size_t(i)];
    for (int i = 0; i < length; ++i) {
        line[i * stride] = sum * scale;
        const int entering = i + radius + 1;
        const int leaving = i - radius;
        if (entering < length)
            sum += scratch[size_t(entering)];
        if (leaving >= 0)
            sum -= scratch[size_t(leaving)];
    }
}

} // namespace

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
    std::vector<float> scratch;
    for (int radius : gaussianBoxRadii(sigma * devicePixelRatio)) {
        for (int y = 0; y < height; ++y)
            boxBlurLine(alpha.data() + size_t(y) * size_t(width), width, 1, radius, scratch);
        for (int x = 0; x < width; ++x)
            boxBlurLine(alpha.data() + x, height, width, radius, scratch);
    }

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
