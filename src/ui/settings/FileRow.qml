import QtQuick
import QtQuick.Layouts
import Quorvane.Common

// A file in a card: its title, its path on one line cut in the middle, and a button that shows it in the
// file manager.
RowLayout {
    id: row

    required property string title
    required property string path
    // The sheet's language, for the button.
    required property string language

    // The button was pressed.
    signal revealRequested

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
            elide: Text.ElideRight
            Accessible.name: text
        }

        Text {
            objectName: "filePath"
            Layout.fillWidth: true
            text: row.path
            textFormat: Text.PlainText
            font.pixelSize: Theme.fontSmall
            color: Theme.textSecondary
            maximumLineCount: 1
            elide: Text.ElideMiddle
            Accessible.name: text
        }
    }

    SettingsButton {
        objectName: "revealButton"
        text: Texts.text("在文件管理器中显示", row.language)
        Accessible.name: Texts.named(text, row.title, row.language)
        onClicked: row.revealRequested()
    }
}
