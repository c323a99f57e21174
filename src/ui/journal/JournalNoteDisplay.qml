import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common

// An entry's notes, or the placeholder when they are blank; a click opens the record editor. The
// hint keeps its room while hidden, so the notes never reflow under the pointer.
AbstractButton {
    id: display

    required property string entryID
    // The entry it belongs to, which the card shows around it.
    required property string accessibleName
    required property string notesText
    required property bool hasNotes
    readonly property string hint: Texts.L("点击编辑", "Click to edit")

    signal edit

    objectName: "journal-note-display-" + entryID
    leftPadding: 8
    rightPadding: 8
    topPadding: 7
    bottomPadding: 7
    hoverEnabled: true
    onClicked: edit()
    ToolTip.visible: hovered || visualFocus
    ToolTip.delay: 600
    ToolTip.text: hint
    Accessible.name: accessibleName
    Accessible.description: notesText
    Accessible.onPressAction: if (enabled) clicked()

    background: Rectangle {
        radius: 9 // own shape
        color: display.hovered ? Theme.surfaceCard : "transparent"

        Behavior on color {
            ColorAnimation {
                duration: Theme.durationHover
                easing.type: Easing.OutQuad
            }
        }
    }

    contentItem: NotesWithHint {
        notesText: display.notesText
        hasNotes: display.hasNotes
        hint: display.hint
        hintShown: display.hovered
    }

    FocusRing {
        cornerRadius: 9
    }

    // A type of its own, whose ids stay inside it, so that the button makes it when it needs it.
    component NotesWithHint: Item {
        id: content

        required property string notesText
        required property bool hasNotes
        required property string hint
        required property bool hintShown

        implicitHeight: Math.max(notes.implicitHeight, hintText.implicitHeight)

        Text {
            id: notes

            anchors.left: parent.left
            anchors.right: hintText.left
            anchors.rightMargin: 10
            text: content.notesText
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            maximumLineCount: 5
            elide: Text.ElideRight
            font.pixelSize: Theme.fontBody
            color: content.hasNotes ? Theme.textParagraph : Theme.textDisabled
        }

        Text {
            id: hintText

            anchors.right: parent.right
            anchors.baseline: notes.baseline
            text: content.hint
            font.pixelSize: Theme.fontMicro
            font.weight: Theme.fontWeightLabel
            color: Theme.textTertiary
            opacity: content.hintShown ? 1 : 0

            Behavior on opacity {
                NumberAnimation {
                    duration: Theme.durationHover
                    easing.type: Easing.OutQuad
                }
            }
        }
    }
}
