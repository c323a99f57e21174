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
                size: 15
                color: Theme.textAction
            }

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: control.text
                font: control.font
                color: Theme.textAction
            }
        }
    }

    background: Item {
        Rectangle {
            anchors.fill: parent
            radius: 11
            color: control.down ? Theme.addButtonFillPressed : Theme.addButtonFill
        }

        DashedOutline {
            radius: 11
            color: Theme.dashedOutline
        }
    }

    FocusRing {
        cornerRadius: 11
    }
}
