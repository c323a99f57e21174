#include "core/PictureFormats.h"

#include "core/MediaTypes.h"

#include <QImageReader>
#include <QMimeDatabase>

namespace PictureFormats {

bool canDecode(const QString &filePath)
{
    QImageReader reader(filePath);
    reader.setDecideFormatFromContent(true);
    return reader.canRead();
}

QStringList nameFilters()
{
    const QMimeDatabase database;
    QStringList patterns;
    for (const QByteArray &name : QImageReader::supportedMimeTypes()) {
        for (const QString &pattern : database.mimeTypeForName(QString::fromLatin1(name)).globPatterns()) {
            // Only what the media table also takes for a picture, so that a file the dialog offers is
            // never dropped by the import.
            const QString lower = pattern.toLower();
            if (!patterns.contains(lower)
                && MediaTypes::kindForFileName(QStringLiteral("file") + lower.sliced(1)) == MediaKind::image)
                patterns.append(lower);
        }
    }
    patterns.sort();
    return patterns;
}

} // namespace PictureFormats
