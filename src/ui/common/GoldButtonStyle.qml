import QtQuick
import QtQuick.Templates as T
import Quorvane.Effects

// The primary action of a screen: a filled capsule in the accent colour with a soft accent shadow,
// lighter and slightly smaller while pressed. A custom label can use labelColor and the button's font.
T.Button {
    id: control

    required property color accent
    readonly property color labelColor: Theme.textOnAccent

    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: 52
    leftPadding: 28
    rightPadding: 28
    topPadding: 0
    bottomPadding: 0
    font.pixelSize: Theme.fontButton
    font.weight: Theme.fontWeightEmphasis
    scale: down ? 0.985 : 1
    Accessible.onPressAction: if (enabled) clicked()

    contentItem: Text {
        text: control.text
        font: control.font
        color: control.labelColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: CapsuleBackground {
        accent: control.accent
        down: control.down
    }

    FocusRing {
        cornerRadius: height / 2
    }

    // A type of its own, whose ids stay inside it, so that the button makes it when it needs it.
    component CapsuleBackground: Item {
        id: plate

        required property color accent
        required property bool down

        implicitHeight: 52

        SoftShadow {
            objectName: "buttonShadow"
            target: capsule
            shapeRadius: capsule.radius
            blurRadius: 18
            offsetY: 8
            color: plate.down ? Theme.accentTint(plate.accent) : Theme.accentOutline(plate.accent)
        }

        Rectangle {
            id: capsule

            objectName: "buttonCapsule"
            anchors.fill: parent
            radius: height / 2
            color: plate.down ? Theme.accentPressed(plate.accent) : Theme.opaque(plate.accent)
            border.color: Theme.textTertiary
            border.width: 1
        }
    }
}
