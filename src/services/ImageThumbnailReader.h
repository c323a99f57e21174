#pragma once

#include <QImage>
#include <QString>
#include <optional>

// Reads the first image of a still-image file straight to a bounded size, turned upright by its
// orientation tag. JPEG files are decoded at reduced scale, so even large photos decode quickly.
namespace ImageThumbnailReader {

// None when the file cannot be read as an image. The longest side of the result is at most
// `maximumPixelSize`; smaller images keep their size.
std::optional<QImage> read(const QString &filePath, int maximumPixelSize);

} // namespace ImageThumbnailReader
