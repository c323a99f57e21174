#include "media/PaletteExtractor.h"

#include "core/MediaTypes.h"
#include "media/ImageThumbnailReader.h"
#include "media/VideoFrameGrabber.h"

#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The frame of a video that stands for it: a little past the start, where fades from black are over.
constexpr std::chrono::milliseconds videoFrameTime = 100ms;

// Colours are computed in double rather than through QColor, which quantises to 16 bits and reports the hue
// of a grey as -1.
struct Hsb
{
    double hue = 0;
    double saturation = 0;
    double brightness = 0;
};

struct Rgb
{
    double red = 0;
    double green = 0;
    double blue = 0;
};

Hsb hsbFromRgb(Rgb rgb)
{
    const double maximum = std::max({ rgb.red, rgb.green, rgb.blue });
    const double minimum = std::min({ rgb.red, rgb.green, rgb.blue });
    const double delta = maximum - minimum;
    Hsb hsb;
    hsb.brightness = maximum;
    hsb.saturation = maximum > 0 ? delta / maximum : 0;
    if (delta > 0) {
        double sector = 0;
        if (maximum == rgb.red)
            sector = (rgb.green - rgb.blue) / delta;
        else if (maximum == rgb.green)
            sector = (rgb.blue - rgb.red) / delta + 2;
        else
            sector = (rgb.red - rgb.green) / delta + 4;
        hsb.hue = sector / 6;
        if (hsb.hue < 0)
            hsb.hue += 1;
    }
    return hsb;
}

Rgb rgbFromHsb(Hsb hsb)
{
    const double scaled = hsb.hue * 6;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    const int sector = static_cast<int>(std::fmod(whole, 6.0) + 6) % 6;
    const double value = hsb.brightness;
    const double p = value * (1 - hsb.saturation);
    const double q = value * (1 - hsb.saturation * fraction);
    const double t = value * (1 - hsb.saturation * (1 - fraction));
    switch (sector) {
    case 0:
        return { value, t, p };
    case 1:
        return { q, value, p };
    case 2:
        return { p, value, t };
    case 3:
        return { p, q, value };
    case 4:
        return { t, p, value };
    default:
        return { value, p, q };
    }
}

QString hexOf(Hsb hsb)
{
    const Rgb rgb = rgbFromHsb(hsb);
    return PaletteExtractor::hexString(rgb.red, rgb.green, rgb.blue);
}

struct Bucket
{
    qint64 count = 0;
    double hue = 0;
    double saturation = 0;
    double brightness = 0;

    double averageHue() const { return hue / double(std::max<qint64>(count, 1)); }
    double averageSaturation() const { return saturation / double(std::max<qint64>(count, 1)); }
    double averageBrightness() const { return brightness / double(std::max<qint64>(count, 1)); }
};

int bucketKey(const Hsb &hsb)
{
    const int hueBand = std::min(static_cast<int>(std::floor(hsb.hue * 18)), 17);
    const int saturationBand = std::min(static_cast<int>(std::floor(hsb.saturation * 4)), 3);
    const int brightnessBand = std::min(static_cast<int>(std::floor(hsb.brightness * 4)), 3);
    return hueBand * 100 + saturationBand * 10 + brightnessBand;
}

double baseScore(const Bucket &bucket)
{
    const double brightness = bucket.averageBrightness();
    const double damping = brightness < 0.04 || brightness > 0.94 ? 0.35 : 1.0;
    return damping * ((bucket.averageSaturation() * 0.25 + 0.75) * double(bucket.count));
}

double accentScore(const Bucket &bucket)
{
    const double brightness = bucket.averageBrightness();
    if (!(brightness > 0.16 && brightness < 0.96))
        return 0;
    return (brightness + 0.55) * ((bucket.averageSaturation() * 1.8 + 0.35) * double(bucket.count));
}

// The first bucket in key order with the greatest score; a later one wins only with a strictly greater score.
template<typename Score> const Bucket &bestBucket(const std::map<int, Bucket> &histogram, Score score)
{
    auto best = histogram.begin();
    double bestScore = score(best->second);
    for (auto it = std::next(histogram.begin()); it != histogram.end(); ++it) {
        const double candidate = score(it->second);
        if (candidate > bestScore) {
            best = it;
            bestScore = candidate;
        }
    }
    return best->second;
}

double overlayOpacity(const std::vector<double> &brightnesses)
{
    const double count = double(brightnesses.size());
    double sum = 0;
    for (const double value : brightnesses)
        sum += value;
    const double mean = sum / count;
    double squares = 0;
    for (const double value : brightnesses)
        squares += (value - mean) * (value - mean);
    const double variance = squares / count;
    const double opacity = 0.32 + 0.25 * mean + 0.18 * std::min(2.8 * std::sqrt(variance), 1.0);
    return std::clamp(opacity, 0.34, 0.72);
}

} // namespace

std::optional<AppPalette> PaletteExtractor::extract(const QString &filePath) const
{
    const std::optional<QImage> source = sourceImage(filePath);
    if (!source)
        return std::nullopt;
    const std::optional<QImage> bitmap = makeBitmap(*source, bitmapSide, bitmapSide);
    if (!bitmap)
        return std::nullopt;
    return paletteFromBitmap(*bitmap);
}

QString PaletteExtractor::hexString(const QColor &color)
{
    if (!color.isValid())
        return QStringLiteral("#FFFFFF");
    const QColor rgb = color.toRgb();
    return hexString(rgb.redF(), rgb.greenF(), rgb.blueF());
}

QString PaletteExtractor::hexString(double red, double green, double blue)
{
    const auto byte = [](double component) {
        return static_cast<int>(std::round(std::clamp(component, 0.0, 1.0) * 255));
    };
    return QString::asprintf("#%02X%02X%02X", byte(red), byte(green), byte(blue));
}

std::optional<QImage> PaletteExtractor::sourceImage(const QString &filePath)
{
    if (!BackgroundMediaType::isVideo(filePath)) {
        if (std::optional<QImage> image = ImageThumbnailReader::read(filePath, sourceMaximumPixelSize))
            return image;
    }
    return VideoFrameGrabber::frameAt(filePath, videoFrameTime, sourceMaximumPixelSize).toOptional();
}

std::optional<QImage> PaletteExtractor::makeBitmap(const QImage &image, int width, int height)
{
    QImage bitmap(width, height, QImage::Format_ARGB32_Premultiplied);
    if (bitmap.isNull())
        return std::nullopt;
    bitmap.fill(Qt::transparent);
    {
        QPainter painter(&bitmap);
        if (!painter.isActive())
            return std::nullopt;
        // The whole image is stretched over the bitmap, replacing (not blending with) what is there.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, width, height), image);
    }
    return bitmap.convertToFormat(QImage::Format_ARGB32);
}

std::optional<AppPalette> PaletteExtractor::paletteFromBitmap(const QImage &bitmap)
{
    std::map<int, Bucket> histogram;
    std::vector<double> brightnesses;
    brightnesses.reserve(std::size_t(bitmap.width()) * std::size_t(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(bitmap.constScanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            const QRgb pixel = line[x];
            if (!(qAlpha(pixel) / 255.0 > 0.5))
                continue;
            const Hsb hsb = hsbFromRgb({ qRed(pixel) / 255.0, qGreen(pixel) / 255.0, qBlue(pixel) / 255.0 });
            brightnesses.push_back(hsb.brightness);
            Bucket &bucket = histogram[bucketKey(hsb)];
            bucket.count += 1;
            bucket.hue += hsb.hue;
            bucket.saturation += hsb.saturation;
            bucket.brightness += hsb.brightness;
        }
    }
    if (histogram.empty() || brightnesses.empty())
        return std::nullopt;

    const Bucket &base = bestBucket(histogram, baseScore);
    const Bucket &accent = bestBucket(histogram, accentScore);

    const Hsb wheel { base.averageHue(), std::clamp(base.averageSaturation(), 0.22, 0.58), 0.18 };
    double accentHue = accent.averageHue();
    if (!(accent.averageSaturation() > 0.18)) {
        accentHue = std::fmod(base.averageHue() + 0.11, 1.0);
        if (accentHue < 0)
            accentHue += 1;
    }
    const double accentSaturation = std::clamp(accent.averageSaturation() + 0.12, 0.3, 0.72);
    const Hsb accentColour { accentHue, accentSaturation, 0.9 };
    const Hsb textColour { accentHue, std::min(accentSaturation * 0.28, 0.22), 0.98 };

    AppPalette palette;
    palette.wheelBaseHex = hexOf(wheel);
    palette.accentHex = hexOf(accentColour);
    palette.textHex = hexOf(textColour);
    palette.overlayOpacity = overlayOpacity(brightnesses);
    return palette;
}
