import QtQuick
import QtQuick.Layouts

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
        font.pixelSize: 26
        font.weight: Font.DemiBold
        color: "white"
    }

    Text {
        Layout.fillWidth: true
        text: parent.subtitle
        Accessible.name: text
        wrapMode: Text.Wrap
        font.pixelSize: 13
        font.weight: Font.Medium
        color: Qt.rgba(1, 1, 1, 0.6)
    }
}
