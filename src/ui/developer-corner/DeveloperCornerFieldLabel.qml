import QtQuick
import Quorvane.Common

// The label above a field of the letter: its symbol and title in the accent colour.
Row {
    required property string title
    required property string symbol
    required property color accent

    spacing: 6

    SymbolIcon {
        anchors.verticalCenter: parent.verticalCenter
        name: parent.symbol
        size: Theme.fontEmphasis
        color: parent.accent
    }

    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: parent.title
        Accessible.name: text
        font.pixelSize: Theme.fontBody
        font.weight: Theme.fontWeightEmphasis
        color: parent.accent
    }
}
