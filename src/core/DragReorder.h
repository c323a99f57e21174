#pragma once

#include <QList>
#include <QUuid>
#include <optional>

// Reordering a list by dragging one entry over another: the entry moves live while it hovers, and the
// drop only ends the drag. Shared by every list of entries with an `id` that the settings reorder.
namespace DragReorder {

struct Move
{
    qsizetype from = 0;
    // Counted, as beginMoveRows and move-by-offsets count, in the list before the entry is taken out:
    // one past the target when moving down, the target itself when moving up.
    qsizetype destination = 0;
    // Where the entry ends up: the target's index.
    qsizetype to = 0;

    friend bool operator==(const Move &, const Move &) = default;
};

// The move that puts the dragged entry where the target is. None when nothing is dragged, the drag is
// over its own entry, or either id is not (or no longer) in the list.
template<typename Entry>
std::optional<Move> moveOnEnter(
    const QList<Entry> &entries, const std::optional<QUuid> &draggedId, const QUuid &targetId)
{
    if (!draggedId || *draggedId == targetId)
        return std::nullopt;
    const auto indexOf = [&entries](const QUuid &id) -> qsizetype {
        for (qsizetype index = 0; index < entries.size(); ++index) {
            if (entries[index].id == id)
                return index;
        }
        return -1;
    };
    const qsizetype from = indexOf(*draggedId);
    if (from < 0)
        return std::nullopt;
    const qsizetype to = indexOf(targetId);
    if (to < 0)
        return std::nullopt;
    return Move { from, from < to ? to + 1 : to, to };
}

// The drop on an entry: the order was already set while hovering, so it only ends the drag. Always
// accepted.
inline bool performDrop(std::optional<QUuid> &draggedId)
{
    draggedId.reset();
    return true;
}

} // namespace DragReorder
