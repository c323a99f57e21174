#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// Reads the first image of a still-image file straight to a bounded size, turned upright by its
// orientation tag. JPEG files are decoded at reduced scale, so even large photos decode quickly.
namespace ImageThumbnailReader {

// None when the file cannot be read as an image. The longest side of the result is at most
// `maximumPixelSize`; smaller images keep their size.
std::optional<QImage> read(const QString &filePath, int maximumPixelSize);

// The size scaled down (never up), keeping its aspect ratio, so that its longest side is at most
// `maximumPixelSize`; no side becomes smaller than one pixel.
QSize boundedSize(QSize size, int maximumPixelSize);

} // namespace ImageThumbnailReader
