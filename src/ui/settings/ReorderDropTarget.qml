import QtQuick
import Quorvane.Settings

// An entry's place in a reorderable list as the target of another entry of the same list being dragged:
// entering it moves the dragged entry here at once, and the drop only ends the drag. It answers only to
// its list's own drag keys, so files dragged in from outside pass through to the list beneath.
DropArea {
    id: target

    required property string targetId
    required property ReorderableListModel list

    onEntered: target.list.dragEntered(target.targetId)
    onDropped: drop => {
        drop.accepted = target.list.drop();
    }
}
