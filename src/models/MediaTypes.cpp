#include "MediaTypes.h"

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

// Extension (lower case) → kind, built once from the shared MIME database. When several types
// claim an extension, the database's own choice for a file of that name decides.
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
                const QMimeType chosen = database.mimeTypeForFile(
                    QStringLiteral("file.") + extension, QMimeDatabase::MatchExtension);
                if (const auto kind = kindOfMimeType(chosen))
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
    const auto &table = kindsByExtension();
    const auto found = table.constFind(name.sliced(dot + 1).toString().toLower());
    if (found == table.constEnd())
        return std::nullopt;
    return *found;
}

QStringList nameFilters(MediaKind kind)
{
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
