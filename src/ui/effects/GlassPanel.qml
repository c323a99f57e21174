import QtQuick
import Quorvane.Effects

// A translucent panel: a blurred view of the backdrop behind it under a tint, within an outline.
Item {
    id: panel

    // What shows through, blurred: the scene behind the interface, overlay included. None: the tint alone.
    // A backdrop whose content changes without changing its size says so with a contentChanged() signal.
    property Item backdrop: null
    required property real radius
    required property color tint
    required property color borderColor

    // Draws the tint and the outline itself, over the blurred backdrop.
    GlassBackdrop {
        objectName: "glassBackdrop"
        anchors.fill: parent
        visible: panel.backdrop !== null
        backdrop: panel.backdrop
        radius: panel.radius
        tint: panel.tint
        borderColor: panel.borderColor
    }

    Rectangle {
        anchors.fill: parent
        visible: panel.backdrop === null
        radius: panel.radius
        color: panel.tint
        border.color: panel.borderColor
        border.width: 1
    }
}
