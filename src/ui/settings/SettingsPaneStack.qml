import QtQuick
import Quorvane.Common

// A pane of the settings sheet: its title and subtitle, then the pane's cards, the theme's card gap
// apart. A pane's children go straight into the stack and take its width.
Column {
    id: stack

    required property string title
    required property string subtitle

    spacing: Theme.spacingCards

    Column {
        width: stack.width
        spacing: 4

        Text {
            objectName: "paneTitle"
            width: parent.width
            text: stack.title
            font.pixelSize: Theme.fontPaneTitle
            font.weight: Theme.fontWeightEmphasis
            color: Theme.textBright
            wrapMode: Text.Wrap
            Accessible.name: text
        }

        Text {
            objectName: "paneSubtitle"
            width: parent.width
            text: stack.subtitle
            font.pixelSize: Theme.fontBody
            font.weight: Theme.fontWeightLabel
            color: Theme.textSecondary
            wrapMode: Text.Wrap
            Accessible.name: text
        }
    }
}
