import QtQuick
import Quorvane

// A library tile's place as the target of another tile being dragged: entering it moves the dragged
// tile here at once, and the drop only ends the drag. It answers only to the editor's own tile drags,
// so files dragged in from outside pass through to the grid beneath.
DropArea {
    id: target

    required property string targetId
    required property BackgroundLibraryModel library

    onEntered: target.library.dragEntered(target.targetId)
    onDropped: drop => {
        drop.accepted = target.library.drop();
    }
}
