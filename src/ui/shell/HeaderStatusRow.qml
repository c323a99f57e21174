import QtQuick
import Quorvane.Common

// One status row of the header: a symbol in an 18-wide frame and its value, read aloud as one element.
Item {
    id: row

    required property var shown

    implicitWidth: content.implicitWidth
    implicitHeight: content.implicitHeight
    Accessible.role: Accessible.StaticText
    Accessible.name: shown.accessibilityLabel

    Row {
        id: content

        spacing: 9

        SymbolIcon {
            width: 18
            height: value.height
            name: row.shown.symbol
            size: Theme.fontControl
            color: Theme.accent
        }

        Text {
            id: value

            objectName: "statusValue"
            text: row.shown.value
            textFormat: Text.PlainText
            font.pixelSize: Theme.fontControl
            font.weight: Theme.fontWeightLabel
            color: Theme.accent
            Accessible.ignored: true
        }
    }

    InstantTooltip {
        title: row.shown.tooltipTitle
        detail: row.shown.tooltipDetail
        placement: "trailing"
    }
}
