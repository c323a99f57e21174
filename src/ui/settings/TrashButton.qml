import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T
import Quorvane.Common

// The small remove button of a library tile or a playlist row, named and explained by `help`.
T.Button {
    id: button

    required property string help
    property int symbolSize: 12
    property int symbolWeight: Font.Normal

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
        color: Qt.rgba(1, 0.42, 0.38, button.down ? 0.6 : 0.9)
    }

    background: Rectangle {
        radius: 6
        color: Qt.rgba(1, 1, 1, button.hovered ? 0.1 : 0)
    }

    FocusRing {
        cornerRadius: 6
    }
}
