import QtQuick
import QtQuick.Templates as T
import Quorvane.Common

// What the keyboard and a screen reader take a background tile for: one choice of the library over the
// whole tile, selected while its background is the active one, named by the tile's title. Tab reaches it, and
// Space, Return or Enter choose the tile as a click does. A tile that can be dragged lays its own pointer
// area over it, which keeps the clicks and drags.
T.AbstractButton {
    id: chooser

    required property bool active

    objectName: "tileChooser"
    anchors.fill: parent
    focusPolicy: Qt.TabFocus
    Accessible.selectable: true
    Accessible.selected: active
    Accessible.onPressAction: clicked()

    FocusRing {
        cornerRadius: 11
    }
}
