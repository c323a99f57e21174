#pragma once

#include "core/AppPalette.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>

// Derives the interface palette from a background image or video: a small sample of its pixels is sorted
// into a histogram of hue, saturation and brightness, and the dominant and the most colourful cells give the
// wheel, accent and text colours; the spread of brightness gives the overlay's opacity.
class PaletteExtractor
{
public:
    static constexpr int sourceMaximumPixelSize = 144;
    static constexpr int bitmapSide = 72;

    // None when the file is neither a readable image nor a video with a frame at 0.1 s, or when no pixel is
    // more than half opaque. Synchronous and bounded by the small sample, so it may run on the main thread.
    std::optional<AppPalette> extract(const QString &filePath) const;

    // "#RRGGBB" in upper case, each component rounded half away from zero. An invalid colour gives "#FFFFFF".
    static QString hexString(const QColor &color);
    // The same for components in 0...1; values outside that range are clamped.
    static QString hexString(double red, double green, double blue);

private:
    static std::optional<QImage> sourceImage(const QString &filePath);
    static std::optional<QImage> makeBitmap(const QImage &image, int width, int height);
    static std::optional<AppPalette> paletteFromBitmap(const QImage &bitmap);
};
