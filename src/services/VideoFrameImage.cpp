#include "services/VideoFrameImage.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <algorithm>
#include <optional>

namespace {

// Where the samples of one component lie: a pixel's sample is at
// `plane + (row >> rowShift) * stride + (column >> columnShift) * step + offset`.
struct Component
{
    int plane = 0;
    int step = 1;
    int offset = 0;
    int columnShift = 0;
    int rowShift = 0;
};

struct YCbCrLayout
{
    Component luma;
    Component blue;
    Component red;
};

std::optional<YCbCrLayout> layoutOf(QVideoFrameFormat::PixelFormat format)
{
    using F = QVideoFrameFormat;
    switch (format) {
    case F::Format_YUV420P:
        return YCbCrLayout { {}, { 1, 1, 0, 1, 1 }, { 2, 1, 0, 1, 1 } };
    case F::Format_YV12:
        return YCbCrLayout { {}, { 2, 1, 0, 1, 1 }, { 1, 1, 0, 1, 1 } };
    case F::Format_YUV422P:
        return YCbCrLayout { {}, { 1, 1, 0, 1, 0 }, { 2, 1, 0, 1, 0 } };
    case F::Format_NV12:
        return YCbCrLayout { {}, { 1, 2, 0, 1, 1 }, { 1, 2, 1, 1, 1 } };
    case F::Format_NV21:
        return YCbCrLayout { {}, { 1, 2, 1, 1, 1 }, { 1, 2, 0, 1, 1 } };
    case F::Format_UYVY:
        return YCbCrLayout { { 0, 2, 1 }, { 0, 4, 0, 1, 0 }, { 0, 4, 2, 1, 0 } };
    case F::Format_YUYV:
        return YCbCrLayout { { 0, 2, 0 }, { 0, 4, 1, 1, 0 }, { 0, 4, 3, 1, 0 } };
    default:
        return std::nullopt;
    }
}

// Y'CbCr to R'G'B' in 16.16 fixed point: R' = y (Y' - yOffset) + rv (Cr - 128), and so on.
struct Coefficients
{
    int yOffset;
    int y;
    int rv;
    int gu;
    int gv;
    int bu;
};

Coefficients coefficientsOf(const QVideoFrameFormat &format)
{
    double kr = 0.299;
    double kb = 0.114;
    if (format.colorSpace() == QVideoFrameFormat::ColorSpace_BT709) {
        kr = 0.2126;
        kb = 0.0722;
    } else if (format.colorSpace() == QVideoFrameFormat::ColorSpace_BT2020) {
        kr = 0.2627;
        kb = 0.0593;
    }
    // Most video keeps its samples within the studio range; only a range stated full (or the JPEG-like
    // Adobe RGB space) spans all 256 steps.
    const bool full = format.colorRange() == QVideoFrameFormat::ColorRange_Full
        || format.colorSpace() == QVideoFrameFormat::ColorSpace_AdobeRgb;
    const double lumaScale = full ? 1.0 : 255.0 / 219.0;
    const double chromaScale = full ? 1.0 : 255.0 / 224.0;
    const double kg = 1.0 - kr - kb;
    const auto fixed = [](double value) { return int(value * 65536.0 + (value < 0 ? -0.5 : 0.5)); };
    return Coefficients {
        full ? 0 : 16,
        fixed(lumaScale),
        fixed(2 * (1 - kr) * chromaScale),
        fixed(-2 * kb * (1 - kb) / kg * chromaScale),
        fixed(-2 * kr * (1 - kr) / kg * chromaScale),
        fixed(2 * (1 - kb) * chromaScale),
    };
}

int channel(int fixedValue)
{
    return std::clamp((fixedValue + 32768) >> 16, 0, 255);
}

QImage fromYCbCr(const QVideoFrame &frame, const YCbCrLayout &layout)
{
    const int width = frame.width();
    const int height = frame.height();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const Coefficients k = coefficientsOf(frame.surfaceFormat());
    const auto base = [&frame](const Component &component, int row) {
        return frame.bits(component.plane) + (row >> component.rowShift) * frame.bytesPerLine(component.plane)
            + component.offset;
    };
    for (int row = 0; row < height; ++row) {
        const uchar *luma = base(layout.luma, row);
        const uchar *blue = base(layout.blue, row);
        const uchar *red = base(layout.red, row);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(row));
        for (int column = 0; column < width; ++column) {
            const int y = k.y * (luma[column * layout.luma.step] - k.yOffset);
            const int u = blue[(column >> layout.blue.columnShift) * layout.blue.step] - 128;
            const int v = red[(column >> layout.red.columnShift) * layout.red.step] - 128;
            out[column]
                = qRgb(channel(y + k.rv * v), channel(y + k.gu * u + k.gv * v), channel(y + k.bu * u));
        }
    }
    return image;
}

QImage converted(QVideoFrame frame)
{
    const QVideoFrameFormat::PixelFormat format = frame.pixelFormat();
    const std::optional<YCbCrLayout> layout = layoutOf(format);
    const QImage::Format packed = QVideoFrameFormat::imageFormatFromPixelFormat(format);
    if (!layout && packed == QImage::Format_Invalid)
        return frame.toImage().convertToFormat(QImage::Format_RGB32);
    if (!frame.map(QVideoFrame::ReadOnly))
        return {};
    QImage image;
    if (layout)
        image = fromYCbCr(frame, *layout);
    else {
        // The frame's memory is given back at the unmap below, so the picture is always a copy.
        const QImage mapped(frame.bits(0), frame.width(), frame.height(), frame.bytesPerLine(0), packed);
        image = packed == QImage::Format_RGB32 ? mapped.copy() : mapped.convertToFormat(QImage::Format_RGB32);
    }
    frame.unmap();
    return image;
}

} // namespace

namespace VideoFrameImage {

QImage upright(const QVideoFrame &frame)
{
    if (!frame.isValid())
        return {};
    QImage image = converted(frame);
    const int degrees = int(frame.rotationAngle());
    if (image.isNull() || degrees == 0)
        return image;
    return image.transformed(QTransform().rotate(degrees));
}

QRectF coverSource(const QSizeF &picture, const QSizeF &view)
{
    if (picture.isEmpty() || view.isEmpty())
        return {};
    // The whole of the picture's width or height shows, whichever fills the view first.
    const double viewShape = view.width() / view.height();
    if (picture.width() / picture.height() > viewShape) {
        const double width = picture.height() * viewShape;
        return QRectF((picture.width() - width) / 2, 0, width, picture.height());
    }
    const double height = picture.width() / viewShape;
    return QRectF(0, (picture.height() - height) / 2, picture.width(), height);
}

} // namespace VideoFrameImage
