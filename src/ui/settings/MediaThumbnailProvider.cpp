#include "ui/settings/MediaThumbnailProvider.h"

#include "media/MediaThumbnailCache.h"

#include <QMutex>
#include <QUrl>
#include <memory>

namespace {

class ThumbnailResponse;

// What the cache's late answer and the response share: the answer reaches the response only while the
// response is still wanted and alive.
struct ResponseLink
{
    QMutex lock;
    ThumbnailResponse *response = nullptr;
};

class ThumbnailResponse : public QQuickImageResponse
{
public:
    ThumbnailResponse()
        : m_link(std::make_shared<ResponseLink>())
    {
        m_link->response = this;
    }

    ~ThumbnailResponse() override { detach(); }

    // Called once, from the thread that settles the cache's answer; a response cancelled or gone by then
    // is left alone.
    static void deliver(const std::shared_ptr<ResponseLink> &link, const QImage &image)
    {
        const QMutexLocker locker(&link->lock);
        if (!link->response)
            return;
        link->response->m_image = image;
        // Queued: the pixmap reader may delete a response as soon as it hears of it.
        QMetaObject::invokeMethod(link->response, &QQuickImageResponse::finished, Qt::QueuedConnection);
        link->response = nullptr;
    }

    std::shared_ptr<ResponseLink> link() const { return m_link; }

    QQuickTextureFactory *textureFactory() const override
    {
        const QMutexLocker locker(&m_link->lock);
        return QQuickTextureFactory::textureFactoryForImage(m_image);
    }

    // The late answer is dropped; the engine still waits for finished() before it lets the response go.
    void cancel() override
    {
        if (detach())
            QMetaObject::invokeMethod(this, &QQuickImageResponse::finished, Qt::QueuedConnection);
    }

private:
    // True when the answer had not come yet.
    bool detach()
    {
        const QMutexLocker locker(&m_link->lock);
        const bool waiting = m_link->response != nullptr;
        m_link->response = nullptr;
        return waiting;
    }

    std::shared_ptr<ResponseLink> m_link;
    QImage m_image;
};

} // namespace

MediaThumbnailProvider::MediaThumbnailProvider(MediaThumbnailCache &cache)
    : m_cache(cache)
{ }

QQuickImageResponse *MediaThumbnailProvider::requestImageResponse(const QString &id, const QSize &)
{
    auto *response = new ThumbnailResponse;
    const std::shared_ptr<ResponseLink> link = response->link();
    const QString path = QUrl::fromPercentEncoding(id.toUtf8());
    m_cache.thumbnail(path)
        .then(QtFuture::Launch::Sync,
            [link](const std::optional<QImage> &image) {
                ThumbnailResponse::deliver(link, image.value_or(QImage()));
            })
        .onCanceled([link] { ThumbnailResponse::deliver(link, QImage()); });
    return response;
}
