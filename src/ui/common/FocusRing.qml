import QtQuick
import QtQuick.Templates as T

// The ring around a control that the keyboard reached (Tab, Backtab or an arrow key), never after a
// click: on the dark glass of every view it is the only sign of where the keys go. It sits 3 outside its
// parent's edge and follows the parent's corner radius.
Rectangle {
    id: ring

    // The parent's corner radius; a capsule passes half its height.
    property real cornerRadius: 0
    property bool shown: (parent as T.Control)?.visualFocus === true

    objectName: "focusRing"
    anchors.fill: parent
    anchors.margins: -3
    radius: cornerRadius + 3
    color: "transparent"
    border.width: 2
    border.color: Qt.rgba(1, 1, 1, 0.85)
    visible: shown
}
