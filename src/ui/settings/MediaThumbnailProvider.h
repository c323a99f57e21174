#pragma once

#include <QQuickAsyncImageProvider>

class MediaThumbnailCache;

// Serves "image://thumbnails/<percent-encoded path>" from the thumbnail cache. The picture is read or
// decoded by the cache's own threads; a file that is missing or cannot be decoded gives an empty image.
class MediaThumbnailProvider : public QQuickAsyncImageProvider
{
public:
    explicit MediaThumbnailProvider(MediaThumbnailCache &cache);

    QQuickImageResponse *requestImageResponse(const QString &id, const QSize &requestedSize) override;

private:
    MediaThumbnailCache &m_cache;
};
