import QtQuick
import QtQuick.Layouts
import Quorvane.Common

// The heading of a developer-corner section: its title over a quieter subtitle.
ColumnLayout {
    required property string title
    required property string subtitle

    spacing: 5

    Text {
        Layout.fillWidth: true
        text: parent.title
        Accessible.role: Accessible.Heading
        Accessible.name: text
        wrapMode: Text.Wrap
        font.pixelSize: Theme.fontCornerTitle
        font.weight: Theme.fontWeightEmphasis
        color: Theme.textBright
    }

    Text {
        Layout.fillWidth: true
        text: parent.subtitle
        Accessible.name: text
        wrapMode: Text.Wrap
        font.pixelSize: Theme.fontBody
        font.weight: Theme.fontWeightLabel
        color: Theme.textDescription
    }
}
