import QtQuick
import Quorvane.Common
import Quorvane.Settings

// The row being dragged, following the pointer above its list. Its centre is where the drag enters
// the other rows; the row itself stays in the list and moves to each place the drag enters.
Rectangle {
    id: proxy

    required property color accent
    required property PlaylistModel playlist
    property string trackId: ""
    property string name: ""
    property bool dragging: false

    // Lies over the pressed row, ready to follow the pointer from there.
    function placeOver(row, id, trackName) {
        const corner = row.mapToItem(proxy.parent, 0, 0);
        x = corner.x;
        y = corner.y;
        width = row.width;
        trackId = id;
        name = trackName;
    }

    // The dragged id is set before the drag becomes active: the first row entered must never move a
    // track left over from an earlier drag that ended outside the list.
    function start() {
        playlist.draggedId = trackId;
        dragging = true;
    }

    function finish() {
        if (!dragging)
            return;
        Drag.drop();
        dragging = false;
    }

    function abandon() {
        dragging = false;
    }

    visible: dragging
    z: 10
    height: 42
    radius: Theme.radiusTrackRow
    color: Theme.accentGlow(accent)
    border.width: 1
    border.color: Theme.accentEdge(accent)
    opacity: Theme.opacityDragged
    Drag.keys: [playlist.rowDragKey]
    Drag.active: dragging
    Drag.hotSpot.x: width / 2
    Drag.hotSpot.y: height / 2

    Text {
        x: 59
        width: parent.width - 70
        anchors.verticalCenter: parent.verticalCenter
        text: proxy.name
        textFormat: Text.PlainText
        font.pixelSize: Theme.fontBody
        font.weight: Theme.fontWeightLabel
        color: Theme.textBright
        elide: Text.ElideRight
    }
}
