#include "media/MediaThumbnailCache.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPromise>
#include <QSaveFile>
#include <array>
#include <charconv>
#include <sys/stat.h>

namespace {

struct FileStamp
{
    double modificationSeconds = 0;
    qint64 size = 0;
};

FileStamp stampOf(const QString &filePath)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(filePath).constData(), &status) != 0)
        return {};
    return { double(status.st_mtim.tv_sec) + double(status.st_mtim.tv_nsec) / 1e9, qint64(status.st_size) };
}

// The shortest decimal that reads back to the same double, always with a fractional part ("12.0").
QString shortestDecimal(double value)
{
    std::array<char, 400> buffer {};
    const auto result
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    if (!text.contains(u'.'))
        text += QStringLiteral(".0");
    return text;
}

void writeJpeg(const QImage &image, const QString &filePath)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QByteArrayLiteral("jpeg"));
    writer.setQuality(MediaThumbnailCache::jpegQuality);
    if (!writer.write(image))
        return;
    // Written under a temporary name and renamed, so a reader never sees half a file; unbuffered, so that
    // a full disk fails the write rather than a flush in commit() that would not say so.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size())
        return;
    file.commit();
}

} // namespace

MediaThumbnailCache::MediaThumbnailCache(QString thumbnailsDirectory, QObject *parent)
    : QObject(parent)
    , m_directory(std::move(thumbnailsDirectory))
    , m_memoryCache(memoryCountLimit)
{
    // Reading a stored JPEG takes a few milliseconds; two readers fill a screen of tiles without
    // crowding the rest of the process.
    m_readers.setMaxThreadCount(2);
}

QString MediaThumbnailCache::cacheKey(const QString &filePath)
{
    const QString path = QDir::cleanPath(QFileInfo(filePath).absoluteFilePath());
    const FileStamp stamp = stampOf(path);
    const QString text = path + u'|' + shortestDecimal(stamp.modificationSeconds) + u'|'
        + QString::number(stamp.size) + u'|' + QString::number(maximumPixelSize);
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QFuture<std::optional<QImage>> MediaThumbnailCache::thumbnail(const QString &filePath)
{
    const QString key = cacheKey(filePath);
    if (std::optional<QImage> cached = remembered(key))
        return QtFuture::makeReadyFuture(std::move(cached));

    auto promise = std::make_shared<QPromise<std::optional<QImage>>>();
    QFuture<std::optional<QImage>> future = promise->future();
    promise->start();
    const QString storedPath = thumbnailFilePath(key);
    m_readers.start([this, promise, filePath, key, storedPath] {
        QImage stored;
        if (stored.load(storedPath)) {
            remember(key, stored);
            promise->addResult(std::optional<QImage>(stored));
            promise->finish();
            return;
        }
        m_generator.generate(filePath, maximumPixelSize)
            .then(QtFuture::Launch::Sync, [this, promise, key, storedPath](std::optional<QImage> image) {
                if (image) {
                    remember(key, *image);
                    QDir().mkpath(m_directory);
                    writeJpeg(*image, storedPath);
                }
                promise->addResult(std::move(image));
                promise->finish();
            });
    });
    return future;
}

int MediaThumbnailCache::memoryCount() const
{
    const QMutexLocker locker(&m_memoryLock);
    return int(m_memoryCache.count());
}

std::optional<QImage> MediaThumbnailCache::remembered(const QString &key) const
{
    const QMutexLocker locker(&m_memoryLock);
    if (const QImage *cached = m_memoryCache.object(key))
        return *cached;
    return std::nullopt;
}

void MediaThumbnailCache::remember(const QString &key, const QImage &image)
{
    const QMutexLocker locker(&m_memoryLock);
    m_memoryCache.insert(key, new QImage(image));
}

QString MediaThumbnailCache::thumbnailFilePath(const QString &key) const
{
    return QDir(m_directory).filePath(key + QStringLiteral(".jpg"));
}
