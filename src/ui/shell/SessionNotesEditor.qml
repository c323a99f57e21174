import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common

// The round's notes: compact inside the focus console, full on the round-complete screen. What is typed
// goes to the controller's draft at once; the controller saves it after a pause in typing, when the
// editor loses focus and when the editor leaves the screen. The draft follows the round's notes only
// while the editor is not focused, so typing is never overwritten.
Item {
    id: editor

    required property bool compact
    required property string label
    required property string placeholder

    readonly property bool isFocused: textArea.activeFocus
    readonly property real framePadding: compact ? 7 : 12
    readonly property color accent: Theme.accent
    readonly property color textColor: Theme.textBody

    Accessible.role: Accessible.Grouping
    Accessible.name: label

    Component.onCompleted: {
        AppController.journal.notesEditorAppeared();
        textArea.text = AppController.journal.notesDraft;
    }
    Component.onDestruction: AppController.journal.notesEditorDisappeared()

    Rectangle {
        id: fill

        anchors.fill: parent
        radius: editor.compact ? 11 : 14 // own shape
        color: editor.isFocused ? Theme.controlFill : Theme.surfaceFaint

        Behavior on color {
            ColorAnimation {
                duration: Theme.durationSelection
                easing.type: Easing.OutQuad
            }
        }
    }

    Column {
        anchors.fill: parent
        anchors.margins: editor.framePadding
        spacing: editor.compact ? 4 : 7

        Text {
            id: heading

            visible: !editor.compact
            text: editor.label
            font.pixelSize: Theme.fontCaption
            font.weight: Theme.fontWeightLabel
            color: editor.isFocused ? Theme.textSubtitle : Theme.placeholder
            Accessible.ignored: true

            Behavior on color {
                ColorAnimation {
                    duration: Theme.durationSelection
                    easing.type: Easing.OutQuad
                }
            }
        }

        Flickable {
            id: scroller

            width: parent.width
            height: parent.height - (heading.visible ? heading.height + parent.spacing : 0)
            clip: true
            boundsBehavior: Flickable.StopAtBounds

            TextArea.flickable: PlainTextArea {
                id: textArea

                objectName: "active-session-notes-editor"
                padding: editor.compact ? 5 : 7
                font.pixelSize: editor.compact ? Theme.fontSmall : Theme.fontBody
                color: editor.textColor
                placeholderText: editor.placeholder
                placeholderTextColor: editor.isFocused ? Theme.placeholder : Theme.highlight
                Accessible.name: editor.label
                Accessible.description: editor.placeholder

                onTextChanged: AppController.journal.editNotesDraft(text)
                onActiveFocusChanged: AppController.journal.setNotesEditorFocused(activeFocus)
            }
        }
    }

    // The focus line along the bottom edge.
    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.leftMargin: editor.compact ? 8 : 12
        anchors.rightMargin: editor.compact ? 8 : 12
        height: 1
        radius: 0.5 // own shape
        color: editor.isFocused ? Theme.accentRule(editor.accent)
                                : Theme.outlineFaint

        Behavior on color {
            ColorAnimation {
                duration: Theme.durationSelection
                easing.type: Easing.OutQuad
            }
        }
    }

    // On the plate: the text area itself is clipped by its scrolling view.
    FocusRing {
        control: textArea
        cornerRadius: fill.radius
    }

    Connections {
        target: AppController.journal

        // Notes changed elsewhere reach the text only while the user is not typing in it.
        function onNotesDraftChanged() {
            if (!textArea.activeFocus && textArea.text !== AppController.journal.notesDraft)
                textArea.text = AppController.journal.notesDraft;
        }
    }
}
