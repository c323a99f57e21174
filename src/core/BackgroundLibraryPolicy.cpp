#include "core/BackgroundLibraryPolicy.h"

namespace BackgroundLibraryPolicy {

namespace {

std::optional<qsizetype> indexOf(const QList<BackgroundMediaItem> &library, const std::optional<QUuid> &id)
{
    if (!id)
        return std::nullopt;
    for (qsizetype i = 0; i < library.size(); ++i) {
        if (library[i].id == *id)
            return i;
    }
    return std::nullopt;
}

} // namespace

std::optional<BackgroundMediaItem> activeItem(const QList<BackgroundMediaItem> &library,
    const std::optional<QUuid> &activeID, const std::optional<QString> &path)
{
    if (library.isEmpty())
        return std::nullopt;
    if (const auto index = indexOf(library, activeID))
        return library[*index];
    if (path) {
        for (const BackgroundMediaItem &item : library) {
            if (item.path == *path)
                return item;
        }
    }
    return library.first();
}

std::optional<QUuid> nextItemID(
    const QList<BackgroundMediaItem> &library, const std::optional<QUuid> &current)
{
    if (library.isEmpty())
        return std::nullopt;
    const auto index = indexOf(library, current);
    return index ? library[(*index + 1) % library.size()].id : library.first().id;
}

std::optional<QUuid> previousItemID(
    const QList<BackgroundMediaItem> &library, const std::optional<QUuid> &current)
{
    if (library.isEmpty())
        return std::nullopt;
    const auto index = indexOf(library, current);
    return index ? library[(*index - 1 + library.size()) % library.size()].id : library.last().id;
}

} // namespace BackgroundLibraryPolicy
