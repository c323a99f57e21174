import QtQuick
import QtQuick.Templates as T
import Quorvane.Common

// The secondary action beside a gold button: a dark translucent capsule that darkens while pressed.
// A custom label can use labelColor and the button's font.
T.Button {
    id: control

    readonly property color labelColor: down ? Theme.textDescription : Theme.textBody

    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: 48
    leftPadding: 20
    rightPadding: 20
    topPadding: 0
    bottomPadding: 0
    font.pixelSize: Theme.fontEmphasis
    font.weight: Theme.fontWeightLabel
    Accessible.onPressAction: if (enabled) clicked()

    contentItem: Text {
        text: control.text
        font: control.font
        color: control.labelColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        objectName: "buttonCapsule"
        implicitHeight: 48
        radius: height / 2
        color: control.down ? Theme.scrim : Theme.glass
        border.color: Theme.outlineStrong
        border.width: 1
    }

    FocusRing {
        cornerRadius: height / 2
    }
}
