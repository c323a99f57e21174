import QtQuick
import QtQuick.Templates as T
import Quorvane.Common

// The letter's "add images" button: a plus and its text on a faint plate inside a dashed outline.
T.Button {
    id: control

    implicitHeight: 38
    font.pixelSize: 13
    font.weight: Font.Medium
    Accessible.onPressAction: if (enabled) clicked()

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

        DashedOutline {
            radius: 11
            color: Qt.rgba(1, 1, 1, 0.13)
        }
    }

    FocusRing {
        cornerRadius: 11
    }
}
