#pragma once

#include "BackgroundMediaItem.h"

#include <QList>
#include <QUuid>
#include <optional>

// Steps through the background library with wrap-around. An absent current id, or one that
// names no item, steps to the first item (next) or to the last item (previous).
namespace BackgroundLibraryPolicy {

std::optional<QUuid> nextItemID(
    const QList<BackgroundMediaItem> &library, const std::optional<QUuid> &current);
std::optional<QUuid> previousItemID(
    const QList<BackgroundMediaItem> &library, const std::optional<QUuid> &current);

} // namespace BackgroundLibraryPolicy
