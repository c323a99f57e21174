import QtQuick
import QtQuick.Controls.Basic
import Quorvane

// An entry's notes, or the placeholder when they are blank; a click opens the record editor. The
// hint keeps its room while hidden, so the notes never reflow under the pointer.
AbstractButton {
    id: display

    required property string entryID
    required property string notesText
    required property bool hasNotes
    signal edit

    objectName: "journal-note-display-" + entryID
    leftPadding: 8
    rightPadding: 8
    topPadding: 7
    bottomPadding: 7
    hoverEnabled: true
    onClicked: edit()
    ToolTip.visible: hovered
    ToolTip.delay: 600
    ToolTip.text: hint.text
    Accessible.onPressAction: if (enabled) clicked()

    background: Rectangle {
        radius: 9
        color: display.hovered ? Qt.rgba(1, 1, 1, 0.035) : "transparent"

        Behavior on color {
            ColorAnimation {
                duration: 120
                easing.type: Easing.OutQuad
            }
        }
    }

    contentItem: Item {
        implicitHeight: Math.max(notes.implicitHeight, hint.implicitHeight)

        Text {
            id: notes

            anchors.left: parent.left
            anchors.right: hint.left
            anchors.rightMargin: 10
            text: display.notesText
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            maximumLineCount: 5
            elide: Text.ElideRight
            font.pixelSize: 13
            color: display.hasNotes ? Qt.rgba(1, 1, 1, 0.82) : Qt.rgba(1, 1, 1, 0.26)
        }

        Text {
            id: hint

            anchors.right: parent.right
            anchors.baseline: notes.baseline
            text: Texts.L("点击编辑", "Click to edit")
            font.pixelSize: 9
            font.weight: Font.Medium
            color: Qt.rgba(1, 1, 1, 0.38)
            opacity: display.hovered ? 1 : 0

            Behavior on opacity {
                NumberAnimation {
                    duration: 120
                    easing.type: Easing.OutQuad
                }
            }
        }
    }
}
