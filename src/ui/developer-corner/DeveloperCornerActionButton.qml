import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T
import Quorvane.Common

// A section's main action across the whole width: its symbol and text on the accent colour, or a
// small spinner and the busy text while its request runs, when it takes no presses.
T.Button {
    id: control

    required property color accent
    required property string symbol
    required property string busyText
    required property bool busy
    readonly property color labelColor: Theme.shadeStrong

    enabled: !busy
    implicitHeight: 46
    font.pixelSize: Theme.fontControl
    font.weight: Theme.fontWeightEmphasis
    Accessible.onPressAction: if (enabled) clicked()

    contentItem: Item {
        Row {
            anchors.centerIn: parent
            spacing: 8

            BusyIndicator {
                objectName: "busySpinner"
                visible: control.busy
                running: control.busy
                width: 18
                height: 18
                anchors.verticalCenter: parent.verticalCenter
                padding: 0
            }

            SymbolIcon {
                visible: !control.busy
                anchors.verticalCenter: parent.verticalCenter
                name: control.symbol
                size: Theme.fontSubheading
                color: control.labelColor
            }

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: control.busy ? control.busyText : control.text
                font: control.font
                color: control.labelColor
            }
        }
    }

    background: Rectangle {
        radius: 13 // own shape
        color: control.down ? Theme.accentPressed(control.accent) : Theme.opaque(control.accent)
        opacity: control.busy ? Theme.opacityBusy : 1
    }

    FocusRing {
        cornerRadius: 13
    }
}
