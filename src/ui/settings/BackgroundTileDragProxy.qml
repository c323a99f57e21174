import QtQuick
import Quorvane.Common
import Quorvane.Settings

// The picture of the library tile being dragged, following the pointer above the grid. Its centre is
// where the drag enters the other tiles.
Rectangle {
    id: proxy

    required property color accent
    required property BackgroundLibraryModel library
    property string itemId: ""
    property string source: ""
    property string placeholderSymbol: ""
    property bool dragging: false

    // Lies over the pressed tile, ready to follow the pointer from there.
    function placeOver(tile, id, thumbnail, symbol) {
        const corner = tile.mapToItem(proxy.parent, 0, 0);
        x = corner.x;
        y = corner.y;
        itemId = id;
        source = thumbnail;
        placeholderSymbol = symbol;
    }

    // The dragged id is set before the drag becomes active: the first tile entered must never move an
    // item left over from an earlier drag that ended outside the grid.
    function start() {
        library.draggedId = itemId;
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

    objectName: "tileDragProxy"
    visible: dragging
    z: 10
    radius: Theme.radiusBackgroundTile
    color: "transparent"
    opacity: Theme.opacityDragged
    clip: true
    Drag.active: dragging
    Drag.hotSpot: Qt.point(width / 2, height / 2)

    BackgroundMediaThumbnail {
        anchors.fill: parent
        source: proxy.source
        placeholderSymbol: proxy.placeholderSymbol
        accent: proxy.accent
    }

    Rectangle {
        anchors.fill: parent
        radius: Theme.radiusBackgroundTile
        color: "transparent"
        border.width: 1.5
        border.color: proxy.accent
    }
}
