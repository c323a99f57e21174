#pragma once

#include "core/BackgroundMediaItem.h"

#include <QList>
#include <QUuid>
#include <optional>

// Chooses among the items of the background library.
namespace BackgroundLibraryPolicy {

// The item to show: the one with `activeID`, else the first one at `path`, else the first item;
// none for an empty library.
std::optional<BackgroundMediaItem> activeItem(const QList<BackgroundMediaItem> &library,
    const std::optional<QUuid> &activeID, const std::optional<QString> &path);

// Steps with wrap-around. An absent current id, or one that names no item, steps to the first item
// (next) or to the last item (previous).

std::optional<QUuid> nextItemID(
    const QList<BackgroundMediaItem> &library, const std::optional<QUuid> &current);
std::optional<QUuid> previousItemID(
    const QList<BackgroundMediaItem> &library, const std::optional<QUuid> &current);

} // namespace BackgroundLibraryPolicy
