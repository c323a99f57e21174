import QtQuick
import Quorvane.Common

// The label of a large action button: a symbol before its text on one line, centred in the width the
// button gives it. A text too long for that width is cut short rather than wrapped.
Item {
    id: label

    required property string symbol
    required property string text
    required property color color
    required property font font
    property real spacing: 8
    property real minimumWidth: 0

    implicitWidth: Math.max(minimumWidth, icon.implicitWidth + spacing + title.implicitWidth)
    implicitHeight: Math.max(icon.implicitHeight, title.implicitHeight)

    Row {
        anchors.centerIn: parent
        spacing: label.spacing

        SymbolIcon {
            id: icon

            anchors.verticalCenter: parent.verticalCenter
            name: label.symbol
            size: label.font.pixelSize + Theme.symbolLift
            color: label.color
        }

        Text {
            id: title

            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, label.width - icon.implicitWidth - label.spacing)
            text: label.text
            font: label.font
            color: label.color
            maximumLineCount: 1
            elide: Text.ElideRight
        }
    }
}
