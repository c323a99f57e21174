import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T
import Quorvane.Common

// The small remove button of a library tile or a playlist row, named and explained by `help`.
T.Button {
    id: button

    required property string help
    property int symbolSize: Theme.fontLabel
    property int symbolWeight: Theme.fontWeightRegular

    implicitWidth: 22
    implicitHeight: 22
    Accessible.name: help
    ToolTip.visible: hovered || visualFocus
    ToolTip.delay: 700
    ToolTip.text: help
    Accessible.onPressAction: if (enabled) clicked()

    contentItem: SymbolIcon {
        name: "trash"
        size: button.symbolSize
        font.weight: button.symbolWeight
        color: button.down ? Theme.dangerPressed : Theme.danger
    }

    background: Rectangle {
        radius: 6 // own shape
        color: button.hovered ? Theme.separator : "transparent"
    }

    FocusRing {
        cornerRadius: 6
    }
}
