import QtQuick
import Quorvane.Effects

// A translucent panel: a blurred view of the backdrop behind it under a tint.
Item {
    id: panel

    // What shows through, blurred: the scene behind the interface, overlay included. None: the tint alone.
    // A backdrop whose content changes without changing its size says so with a contentChanged() signal.
    property Item backdrop: null
    property real radius: 18
    required property color tint
    required property color borderColor

    GlassBackdrop {
        objectName: "glassBackdrop"
        anchors.fill: parent
        visible: panel.backdrop !== null
        backdrop: panel.backdrop
        radius: panel.radius
    }

    Rectangle {
        anchors.fill: parent
        radius: panel.radius
        color: panel.tint
        border.color: panel.borderColor
        border.width: 1
    }
}
