import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common
import Quorvane.Journal

// The record editor inside a timeline card: the title, for a break also the activity and the health
// score, and the notes. The texts live in the journal; Done saves through it, Cancel drops them.
Rectangle {
    id: editor

    required property JournalController journal
    required property string entryID
    // The entry being edited, which a screen reader says as the keys enter the editor.
    required property string accessibleName
    // The record's title, which tells its Cancel and Done from the sheet's own Done.
    required property string title
    readonly property color accent: Theme.accent

    height: fields.height + 18
    radius: 11 // own shape
    color: Theme.wellShade
    Accessible.role: Accessible.Grouping
    Accessible.name: accessibleName

    Rectangle {
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        height: 1
        radius: 0.5 // own shape
        color: Theme.accentEdge(editor.accent)
    }

    Column {
        id: fields

        x: 9
        y: 9
        width: parent.width - 18
        spacing: 10

        JournalTextField {
            objectName: "journalTitleField"
            width: parent.width
            label: Texts.L("标题", "Title")
            placeholder: editor.journal.editingTitlePlaceholder
            value: editor.journal.editingTitle
            onEdited: text => editor.journal.editingTitle = text
        }

        Row {
            visible: editor.journal.editingIsBreak
            width: parent.width
            spacing: 10

            JournalTextField {
                objectName: "journalActivityField"
                width: parent.width - 100
                label: Texts.L("课间项目", "Break Activity")
                placeholder: Texts.L("输入活动内容", "Enter activity")
                value: editor.journal.editingActivityTitle
                onEdited: text => editor.journal.editingActivityTitle = text
            }

            JournalTextField {
                objectName: "journalHealthScoreField"
                width: 90
                label: Texts.L("健康分", "Health Score")
                placeholder: "0"
                value: editor.journal.editingHealthScore
                onEdited: text => editor.journal.editingHealthScore = text
            }
        }

        Text {
            id: notesLabel

            text: Texts.L("笔记", "Notes")
            font.pixelSize: Theme.fontMicro
            font.weight: Theme.fontWeightEmphasis
            color: Theme.textFaint
        }

        ScrollView {
            width: parent.width - 4
            x: 2
            height: Math.min(92, Math.max(58, notes.implicitHeight))

            // The view clips its text area, so the ring sits on the plate around it.
            background: Rectangle {
                color: Theme.shadeFaint
                radius: 6 // own shape

                FocusRing {
                    control: notes
                    cornerRadius: 6
                }
            }

            PlainTextArea {
                id: notes

                objectName: "journal-note-editor-" + editor.entryID
                Accessible.name: notesLabel.text
                text: editor.journal.editingNotes
                font.pixelSize: Theme.fontBody
                color: Theme.textBody
                onTextChanged: {
                    if (text !== editor.journal.editingNotes)
                        editor.journal.editingNotes = text;
                }
                // Opened to go on writing: the caret after what the note already says.
                function takeKeys() {
                    cursorPosition = length;
                    forceActiveFocus();
                }

                Component.onCompleted: {
                    if (editor.journal.focusedEntryID === editor.entryID)
                        takeKeys();
                }

                Connections {
                    target: editor.journal

                    function onFocusedEntryIDChanged() {
                        if (editor.journal.focusedEntryID === editor.entryID)
                            notes.takeKeys();
                    }
                }
            }
        }

        Item {
            width: parent.width
            height: doneButton.height

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: Texts.L("完成后保存到本地 CSV", "Saved to local CSV when done")
                Accessible.name: text
                font.pixelSize: Theme.fontMicro
                font.weight: Theme.fontWeightLabel
                color: Theme.textDisabled
            }

            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 10

                AbstractButton {
                    id: cancelButton

                    objectName: "journalCancelButton"
                    anchors.verticalCenter: parent.verticalCenter
                    text: Texts.L("取消", "Cancel")
                    Accessible.name: Texts.named(text, editor.title, AppController.appearance.language)
                    onClicked: editor.journal.cancelEditing()
                    Accessible.onPressAction: if (enabled) clicked()

                    contentItem: Text {
                        text: cancelButton.text
                        font.pixelSize: Theme.fontCaption
                        font.weight: Theme.fontWeightLabel
                        color: Theme.textCaption
                    }

                    FocusRing {
                        cornerRadius: 4
                    }
                }

                AbstractButton {
                    id: doneButton

                    objectName: "journalEditorDoneButton"
                    text: Texts.L("完成", "Done")
                    Accessible.name: Texts.named(text, editor.title, AppController.appearance.language)
                    leftPadding: 10
                    rightPadding: 10
                    topPadding: 5
                    bottomPadding: 5
                    onClicked: editor.journal.commitEditing()
                    Accessible.onPressAction: if (enabled) clicked()

                    contentItem: Text {
                        text: doneButton.text
                        font.pixelSize: Theme.fontCaption
                        font.weight: Theme.fontWeightEmphasis
                        color: editor.accent
                    }

                    background: Rectangle {
                        radius: height / 2
                        color: Theme.accentWash(editor.accent)
                    }

                    FocusRing {
                        cornerRadius: height / 2
                    }
                }
            }
        }
    }
}
