import QtQuick
import QtQuick.Controls
import Quorvane.Common

// A button of the settings sheet: the standard kind on a faint fill, or the prominent kind filled with
// the sheet's accent.
Button {
    id: button

    property bool prominent: false
    property color tint: Theme.knob

    leftPadding: 16
    rightPadding: 16
    font.pixelSize: Theme.fontBody
    font.weight: prominent ? Theme.fontWeightEmphasis : Theme.fontWeightLabel
    Accessible.onPressAction: if (enabled) clicked()
    // Qt Quick reports no disabled state to a screen reader; the description says it instead.
    Accessible.description: enabled ? "" : Texts.text("不可用")

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.prominent ? Theme.textOnAccent : Theme.textPrimary
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        implicitWidth: 72
        implicitHeight: 30
        radius: Theme.radiusButton
        color: button.prominent ? button.tint : (button.hovered ? Theme.outlineStrong : Theme.controlOutline)
        border.width: button.prominent ? 0 : 1
        border.color: Theme.controlOutline
        opacity: button.down ? Theme.opacityPressed : 1
    }

    FocusRing {
        cornerRadius: 8
    }
}
