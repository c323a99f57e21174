#include "core/MediaTypes.h"

#include "core/PictureFormats.h"

#include <QHash>
#include <QMimeDatabase>
#include <QSet>
#include <algorithm>

namespace {

std::optional<MediaKind> kindOfMimeType(const QMimeType &type)
{
    QStringList names { type.name() };
    names += type.allAncestors();
    for (const QString &name : names) {
        if (name.startsWith(QLatin1StringView("image/")))
            return MediaKind::image;
        if (name.startsWith(QLatin1StringView("video/")))
            return MediaKind::movie;
        if (name.startsWith(QLatin1StringView("audio/")))
            return MediaKind::audio;
    }
    return std::nullopt;
}

// When several types claim an extension, the database's own choice for a file of that name decides.
std::optional<MediaKind> kindOfExtension(const QMimeDatabase &database, const QString &extension)
{
    return kindOfMimeType(
        database.mimeTypeForFile(QStringLiteral("file.") + extension, QMimeDatabase::MatchExtension));
}

// A plain "*.ext" glob gives "ext" in lower case; anything fancier gives an empty text.
QString simpleExtension(const QString &pattern)
{
    if (!pattern.startsWith(QLatin1StringView("*.")))
        return {};
    const QString extension = pattern.sliced(2);
    const bool plain = !extension.isEmpty() && std::none_of(extension.begin(), extension.end(), [](QChar c) {
        return c == u'.' || c == u'*' || c == u'?' || c == u'[' || c == u']';
    });
    return plain ? extension.toLower() : QString();
}

// Extension (lower case) → kind for every plain extension the shared MIME database knows, for file
// dialogs. Listing every type reads each type's full description with all its translations, which stays
// in memory; only an open dialog needs it.
const QHash<QString, MediaKind> &kindsByExtension()
{
    static const QHash<QString, MediaKind> table = [] {
        QHash<QString, MediaKind> kinds;
        QSet<QString> seen;
        const QMimeDatabase database;
        for (const QMimeType &type : database.allMimeTypes()) {
            for (const QString &pattern : type.globPatterns()) {
                const QString extension = simpleExtension(pattern);
                if (extension.isEmpty() || seen.contains(extension))
                    continue;
                seen.insert(extension);
                if (const auto kind = kindOfExtension(database, extension))
                    kinds.insert(extension, *kind);
            }
        }
        return kinds;
    }();
    return table;
}

} // namespace

namespace MediaTypes {

std::optional<MediaKind> kindForFileName(QStringView fileName)
{
    const QStringView name = fileName.sliced(fileName.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return std::nullopt;
    // One name is looked up in the database's glob table, and only a media type's own description is read:
    // the dialogs' full table would cost every start a third of a second and megabytes.
    const QString pattern = QStringLiteral("*.") + name.sliced(dot + 1).toString().toLower();
    const QString extension = simpleExtension(pattern);
    if (extension.isEmpty())
        return std::nullopt;
    const QMimeDatabase database;
    const QMimeType type
        = database.mimeTypeForFile(QStringLiteral("file.") + extension, QMimeDatabase::MatchExtension);
    const auto kind = kindOfMimeType(type);
    // A type found through a fancier glob ("*.anim[1-9j]") is no plain extension of the dialogs' table.
    if (!kind || !type.globPatterns().contains(pattern, Qt::CaseInsensitive))
        return std::nullopt;
    return kind;
}

QStringList nameFilters(MediaKind kind)
{
    if (kind == MediaKind::image)
        return PictureFormats::nameFilters();
    QStringList patterns;
    const auto &table = kindsByExtension();
    for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
        if (it.value() == kind)
            patterns.append(QStringLiteral("*.") + it.key());
    }
    patterns.sort();
    return patterns;
}

bool isBackgroundMedia(QStringView fileName)
{
    const auto kind = kindForFileName(fileName);
    return kind == MediaKind::image || kind == MediaKind::movie;
}

bool isMusicMedia(QStringView fileName)
{
    const auto kind = kindForFileName(fileName);
    return kind == MediaKind::audio || kind == MediaKind::movie;
}

} // namespace MediaTypes

namespace BackgroundMediaType {

bool isVideo(const QString &path)
{
    return !path.isEmpty() && MediaTypes::kindForFileName(path) == MediaKind::movie;
}

} // namespace BackgroundMediaType
