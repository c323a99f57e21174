import QtQuick
import Quorvane

// A track row's place as the target of another row of the same playlist being dragged: entering it
// moves the dragged track here at once, and the drop only ends the drag. It answers only to its own
// editor's row drags, so files dragged in from outside pass through to the list beneath.
DropArea {
    id: target

    required property string targetId
    required property PlaylistModel playlist

    keys: [playlist.rowDragKey]
    onEntered: target.playlist.dragEntered(target.targetId)
    onDropped: drop => {
        drop.accepted = target.playlist.drop();
    }
}
