import QtQuick
import QtQuick.Controls
import Quorvane.Common

// A button of the settings sheet: the standard kind on a faint fill, or the prominent kind filled with
// the sheet's accent.
Button {
    id: button

    property bool prominent: false
    property color tint: "white"

    leftPadding: 16
    rightPadding: 16
    font.pixelSize: 13
    font.weight: prominent ? Font.DemiBold : Font.Medium
    Accessible.onPressAction: if (enabled) clicked()
    // Qt Quick reports no disabled state to a screen reader; the description says it instead.
    Accessible.description: enabled ? "" : Texts.text("不可用")

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.prominent ? Qt.rgba(0, 0, 0, 0.85) : Qt.rgba(1, 1, 1, 0.9)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        implicitWidth: 72
        implicitHeight: 30
        radius: 8
        color: button.prominent ? button.tint : Qt.rgba(1, 1, 1, button.hovered ? 0.16 : 0.11)
        border.width: button.prominent ? 0 : 1
        border.color: Qt.rgba(1, 1, 1, 0.12)
        opacity: button.down ? 0.75 : 1
    }

    FocusRing {
        cornerRadius: 8
    }
}
