import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common

// A labelled single-line field of the record editor. It shows `value` and reports each edit.
Column {
    id: field

    required property string label
    required property string placeholder
    required property string value
    signal edited(string text)

    spacing: 5

    Text {
        text: field.label
        font.pixelSize: Theme.fontMicro
        font.weight: Theme.fontWeightEmphasis
        color: Theme.textFaint
    }

    TextField {
        width: parent.width
        height: 30
        leftPadding: 9
        rightPadding: 9
        text: field.value
        placeholderText: field.placeholder
        placeholderTextColor: Theme.placeholder
        font.pixelSize: Theme.fontLabel
        color: Theme.textBody
        selectByMouse: true
        onTextEdited: field.edited(text)
        Accessible.name: field.label

        background: Rectangle {
            radius: 8 // own shape
            color: Theme.surfaceCard
            border.width: 1
            border.color: Theme.outlineFaint
        }

        FocusRing {
            cornerRadius: 8
        }
    }
}
