import QtQuick
import QtQuick.Shapes
import QtQuick.Templates as T
import Quorvane

// The letter's "add images" button: a plus and its text on a faint plate inside a dashed outline.
T.Button {
    id: control

    implicitHeight: 38
    font.pixelSize: 13
    font.weight: Font.Medium

    contentItem: Item {
        Row {
            anchors.centerIn: parent
            spacing: 6

            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: "plus"
                size: 15
                color: Qt.rgba(1, 1, 1, 0.8)
            }

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: control.text
                font: control.font
                color: Qt.rgba(1, 1, 1, 0.8)
            }
        }
    }

    background: Item {
        Rectangle {
            anchors.fill: parent
            radius: 11
            color: Qt.rgba(1, 1, 1, control.down ? 0.08 : 0.045)
        }

        Shape {
            id: outline

            readonly property real r: 11
            readonly property real w: width - 1
            readonly property real h: height - 1

            anchors.fill: parent

            ShapePath {
                strokeColor: Qt.rgba(1, 1, 1, 0.13)
                strokeWidth: 1
                fillColor: "transparent"
                strokeStyle: ShapePath.DashLine
                dashPattern: [5, 5]
                startX: 0.5 + outline.r
                startY: 0.5

                PathLine { x: 0.5 + outline.w - outline.r; y: 0.5 }
                PathArc { x: 0.5 + outline.w; y: 0.5 + outline.r; radiusX: outline.r; radiusY: outline.r }
                PathLine { x: 0.5 + outline.w; y: 0.5 + outline.h - outline.r }
                PathArc { x: 0.5 + outline.w - outline.r; y: 0.5 + outline.h; radiusX: outline.r; radiusY: outline.r }
                PathLine { x: 0.5 + outline.r; y: 0.5 + outline.h }
                PathArc { x: 0.5; y: 0.5 + outline.h - outline.r; radiusX: outline.r; radiusY: outline.r }
                PathLine { x: 0.5; y: 0.5 + outline.r }
                PathArc { x: 0.5 + outline.r; y: 0.5; radiusX: outline.r; radiusY: outline.r }
            }
        }
    }
}
