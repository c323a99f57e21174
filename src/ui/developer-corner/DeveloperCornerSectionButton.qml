import QtQuick
import QtQuick.Templates as T
import Quorvane.Common

// One section of the developer corner's sidebar: its symbol and title, in the accent colour on a soft
// accent plate while selected.
T.Button {
    id: control

    required property string title
    required property string symbol
    required property bool selected
    required property color accent
    readonly property color labelColor: selected ? accent : Theme.textNavigation

    implicitHeight: 44
    leftPadding: 13
    rightPadding: 13
    Accessible.name: title
    // One choice of the sections, the one shown selected.
    Accessible.selectable: true
    Accessible.selected: selected
    Accessible.onPressAction: if (enabled) clicked()

    contentItem: Row {
        spacing: 11

        SymbolIcon {
            width: 20
            anchors.verticalCenter: parent.verticalCenter
            name: control.symbol
            size: Theme.fontSubheading
            color: control.labelColor
        }

        // A long title wraps onto a second line, so that every title keeps one size.
        Text {
            width: control.availableWidth - 31
            anchors.verticalCenter: parent.verticalCenter
            text: control.title
            wrapMode: Text.WordWrap
            maximumLineCount: 2
            lineHeight: 0.95
            font.pixelSize: Theme.fontBody
            font.weight: Theme.fontWeightLabel
            color: control.labelColor
        }
    }

    background: Rectangle {
        radius: Theme.radiusSidebarRow
        color: control.selected ? Theme.accentTint(control.accent) : "transparent"
        border.width: control.selected ? 1 : 0
        border.color: Theme.accentGlow(control.accent)

        Behavior on color {
            ColorAnimation {
                duration: Theme.durationSelection
                easing.type: Easing.OutQuad
            }
        }
    }

    FocusRing {
        cornerRadius: 11
    }
}
