import QtQuick
import QtQuick.Templates as T
import Quorvane.Common

// The letter's "add images" button: a plus and its text on a faint plate inside a dashed outline.
T.Button {
    id: control

    implicitHeight: 38
    font.pixelSize: Theme.fontBody
    font.weight: Theme.fontWeightLabel
    Accessible.onPressAction: if (enabled) clicked()

    contentItem: Item {
        Row {
            anchors.centerIn: parent
            spacing: 6

            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: "plus"
                size: Theme.fontEmphasis
                color: Theme.textParagraph
            }

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: control.text
                font: control.font
                color: Theme.textParagraph
            }
        }
    }

    background: Item {
        Rectangle {
            anchors.fill: parent
            radius: 11 // own shape
            color: control.down ? Theme.outline : Theme.surfaceCard
        }

        DashedOutline {
            radius: 11 // own shape
            color: Theme.controlOutline
        }
    }

    FocusRing {
        cornerRadius: 11
    }
}
