import QtQuick
import QtQuick.Layouts
import Quorvane.Common

// One setting in a card: its title and a line of detail on the left, its control at the right edge.
// The texts come ready to show, in the sheet's language.
RowLayout {
    id: row

    required property string title
    property string detail: ""
    default property alias accessory: accessorySlot.data

    spacing: 8

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 3

        Text {
            Layout.fillWidth: true
            text: row.title
            font.pixelSize: Theme.fontControl
            font.weight: Theme.fontWeightEmphasis
            color: Theme.textBright
            wrapMode: Text.Wrap
            Accessible.name: text
        }

        Text {
            Layout.fillWidth: true
            visible: row.detail !== ""
            text: row.detail
            font.pixelSize: Theme.fontLabel
            color: Theme.textSecondary
            wrapMode: Text.Wrap
            Accessible.name: text
        }
    }

    Item {
        id: accessorySlot

        Layout.alignment: Qt.AlignVCenter | Qt.AlignRight
        implicitWidth: childrenRect.width
        implicitHeight: childrenRect.height
    }
}
