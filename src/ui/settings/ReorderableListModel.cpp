#include "ui/settings/ReorderableListModel.h"

#include "core/Uuid.h"

void ReorderableListModel::setDraggedId(const std::optional<QUuid> &id)
{
    if (id == m_draggedId)
        return;
    m_draggedId = id;
    emit draggedIdChanged();
}

QString ReorderableListModel::draggedIdText() const
{
    return m_draggedId ? Uuid::upperText(*m_draggedId) : QString();
}

void ReorderableListModel::setDraggedIdText(const QString &id)
{
    setDraggedId(Uuid::parse(id));
}

void ReorderableListModel::dragEntered(const QString &targetId)
{
    const std::optional<QUuid> target = Uuid::parse(targetId);
    if (!target)
        return;
    const std::optional<DragReorder::Move> move = moveOnEnter(*target);
    if (!move)
        return;
    beginMoveRows(QModelIndex(), int(move->from), int(move->from), QModelIndex(), int(move->destination));
    moveEntry(move->from, move->to);
    endMoveRows();
    commitRows();
}

bool ReorderableListModel::drop()
{
    std::optional<QUuid> dragged = m_draggedId;
    const bool accepted = DragReorder::performDrop(dragged);
    setDraggedId(dragged);
    return accepted;
}
