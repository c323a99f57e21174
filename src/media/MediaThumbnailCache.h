#pragma once

#include "media/MediaThumbnailGenerator.h"

#include <QCache>
#include <QFuture>
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <optional>

// The small pictures of the background library, kept in memory for this run and as JPEG files on disk for
// later runs. A picture is keyed by the media file's path, modification time and size, so a changed file
// gets a new picture while an unchanged one is decoded only once.
class MediaThumbnailCache : public QObject
{
    Q_OBJECT

public:
    static constexpr int maximumPixelSize = 360;
    static constexpr int memoryCountLimit = 40;
    static constexpr int jpegQuality = 68;

    // `thumbnailsDirectory` holds the JPEG files; it is created when needed.
    explicit MediaThumbnailCache(QString thumbnailsDirectory, QObject *parent = nullptr);

    // The lower-case hex SHA-256 of "path|modification time|size|360", where the path is made absolute
    // and cleaned (symbolic links are kept), the time is in seconds since 1970 with a fractional part, and
    // a time or size that cannot be read counts as 0.0 or 0.
    static QString cacheKey(const QString &filePath);

    // The picture of a media file, or none when it cannot be decoded. Only the key and the memory lookup
    // run on the calling thread, so a view may ask from its own: a picture in memory is ready at once;
    // otherwise the JPEG file is read on a reader thread, which never waits behind the decoding of videos,
    // and a missing one is decoded by the generator's worker, which also remembers the new picture and
    // writes it to disk (a failed write is ignored) before it resolves. May be called from any thread.
    QFuture<std::optional<QImage>> thumbnail(const QString &filePath);

    // How many pictures the memory cache holds.
    int memoryCount() const;

private:
    QString thumbnailFilePath(const QString &key) const;
    std::optional<QImage> remembered(const QString &key) const;
    void remember(const QString &key, const QImage &image);

    QString m_directory;
    mutable QMutex m_memoryLock;
    QCache<QString, QImage> m_memoryCache;
    // Destroyed before the memory, each waiting for its running work, which may still remember pictures.
    MediaThumbnailGenerator m_generator;
    QThreadPool m_readers;
};
