#pragma once

#include <QFuture>
#include <QImage>
#include <QString>
#include <QThreadPool>
#include <optional>

// Decodes media files into small pictures on a worker thread of its own, one file at a time, so that a
// library full of videos never crowds the other work of the process.
class MediaThumbnailGenerator
{
public:
    MediaThumbnailGenerator();

    // Resolves on the worker thread with the picture of `filePath` (see decode), or none.
    QFuture<std::optional<QImage>> generate(const QString &filePath, int maximumPixelSize);

    // The decoding itself, synchronous: the first frame of a video, or the first image of any other file,
    // upright, with the longest side at most `maximumPixelSize`. None when the file cannot be decoded.
    static std::optional<QImage> decode(const QString &filePath, int maximumPixelSize);

private:
    QThreadPool m_worker;
};
