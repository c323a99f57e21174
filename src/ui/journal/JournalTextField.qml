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
        font.pixelSize: 9
        font.weight: Font.DemiBold
        color: Qt.rgba(1, 1, 1, 0.32)
    }

    TextField {
        width: parent.width
        height: 30
        leftPadding: 9
        rightPadding: 9
        text: field.value
        placeholderText: field.placeholder
        placeholderTextColor: Qt.rgba(1, 1, 1, 0.3)
        font.pixelSize: 12
        color: Qt.rgba(1, 1, 1, 0.88)
        selectByMouse: true
        onTextEdited: field.edited(text)
        Accessible.name: field.label

        background: Rectangle {
            radius: 8
            color: Qt.rgba(1, 1, 1, 0.045)
            border.width: 1
            border.color: Qt.rgba(1, 1, 1, 0.065)
        }

        FocusRing {
            cornerRadius: 8
        }
    }
}
