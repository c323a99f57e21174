#pragma once

#include "core/DragReorder.h"

#include <QAbstractListModel>
#include <QUuid>
#include <optional>

// A list of entries with ids that the settings sheet reorders by dragging one row over another: it keeps
// the id of the row being dragged, moves the rows live while the drag enters another row's place, and
// leaves the subclass to keep its list and write the new order where it belongs.
class ReorderableListModel : public QAbstractListModel
{
    Q_OBJECT
    // The entry whose row is being dragged (upper-case id), or empty. Each editor has its own.
    Q_PROPERTY(QString draggedId READ draggedIdText WRITE setDraggedIdText NOTIFY draggedIdChanged FINAL)

public:
    using QAbstractListModel::QAbstractListModel;

    const std::optional<QUuid> &draggedId() const { return m_draggedId; }
    QString draggedIdText() const;
    void setDraggedIdText(const QString &id);

    // A row dragged over another row's place moves there.
    Q_INVOKABLE void dragEntered(const QString &targetId);
    Q_INVOKABLE bool drop();

signals:
    void draggedIdChanged();

protected:
    // DragReorder::moveOnEnter over the subclass's entries, with the dragged id kept here.
    virtual std::optional<DragReorder::Move> moveOnEnter(const QUuid &targetId) const = 0;
    // Moves one entry of the subclass's list, between the rows' move signals.
    virtual void moveEntry(qsizetype from, qsizetype to) = 0;
    // Writes the rows, already moved with their signals, where the list belongs.
    virtual void commitRows() = 0;

private:
    void setDraggedId(const std::optional<QUuid> &id);

    std::optional<QUuid> m_draggedId;
};
