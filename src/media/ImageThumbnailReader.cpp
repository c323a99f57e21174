#include "media/ImageThumbnailReader.h"

#include <QImageReader>

namespace ImageThumbnailReader {

QSize boundedSize(QSize size, int maximumPixelSize)
{
    if (size.width() <= maximumPixelSize && size.height() <= maximumPixelSize)
        return size;
    return size.scaled(maximumPixelSize, maximumPixelSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

std::optional<QImage> read(const QString &filePath, int maximumPixelSize)
{
    QImageReader reader(filePath);
    reader.setAutoTransform(true);
    // The stored size is asked for before the orientation is applied; its longest side is the same either
    // way.
    const QSize storedSize = reader.size();
    if (storedSize.isValid())
        reader.setScaledSize(boundedSize(storedSize, maximumPixelSize));
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    const QSize target = boundedSize(image.size(), maximumPixelSize);
    if (target != image.size())
        image = image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace ImageThumbnailReader
