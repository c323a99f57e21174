#include "media/MediaFileFilters.h"

#include "core/StringTable.h"

namespace MediaFileFilters {

namespace {

QString nameKey(MediaKind kind)
{
    switch (kind) {
    case MediaKind::image:
        return QStringLiteral("图片");
    case MediaKind::audio:
        return QStringLiteral("音乐");
    case MediaKind::movie:
        break;
    }
    return QStringLiteral("视频");
}

} // namespace

QList<FileTypeFilter> forKinds(const QList<MediaKind> &kinds, AppLanguage language)
{
    QList<FileTypeFilter> filters;
    for (const MediaKind kind : kinds)
        filters.append({ StringTable::text(nameKey(kind), language), MediaTypes::nameFilters(kind) });
    return filters;
}

} // namespace MediaFileFilters
