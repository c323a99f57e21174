import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common

// One command of the header: a round 34-point button in the window's text colour. The header disables
// the commands during a locked break, drawn dimmed then.
AbstractButton {
    id: button

    required property var shown

    implicitWidth: 34
    implicitHeight: 34
    opacity: enabled ? 1 : Theme.opacityInactive
    Accessible.name: shown.title
    Accessible.description: enabled ? "" : Texts.text("不可用")
    Accessible.onPressAction: if (enabled) clicked()

    background: Rectangle {
        radius: width / 2
        color: Theme.glass
        border.width: 1
        border.color: Theme.outlineStrong
    }

    contentItem: SymbolIcon {
        objectName: "symbol"
        name: button.shown.symbol
        size: Theme.fontEmphasis
        font.weight: Theme.fontWeightEmphasis
    }

    InstantTooltip {
        title: button.shown.title
        detail: button.shown.detail
        placement: "bottomTrailing"
    }

    FocusRing {
        cornerRadius: width / 2
    }
}
