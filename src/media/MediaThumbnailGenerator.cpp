#include "media/MediaThumbnailGenerator.h"

#include "core/MediaTypes.h"
#include "media/ImageThumbnailReader.h"
#include "media/VideoFrameGrabber.h"

#include <QtConcurrent/QtConcurrentRun>
#include <chrono>

MediaThumbnailGenerator::MediaThumbnailGenerator()
{
    m_worker.setMaxThreadCount(1);
}

QFuture<std::optional<QImage>> MediaThumbnailGenerator::generate(
    const QString &filePath, int maximumPixelSize)
{
    return QtConcurrent::run(&m_worker, &MediaThumbnailGenerator::decode, filePath, maximumPixelSize);
}

std::optional<QImage> MediaThumbnailGenerator::decode(const QString &filePath, int maximumPixelSize)
{
    if (BackgroundMediaType::isVideo(filePath))
        return VideoFrameGrabber::frameAt(filePath, std::chrono::milliseconds::zero(), maximumPixelSize)
            .toOptional();
    return ImageThumbnailReader::read(filePath, maximumPixelSize);
}
