import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common
import Quorvane.Effects
import Quorvane.Journal

// The journal sheet's content: the header, the month calendar on the left and the selected day's
// timeline on the right. Its state lives in a JournalController made with it, so every opening starts
// afresh on today.
Item {
    id: view

    readonly property alias journal: journal
    readonly property color accent: Theme.accent
    // An open record editor takes Esc from the sheet, which would otherwise close the whole journal.
    readonly property bool somethingOpen: journal.editingEntryID !== ""

    implicitWidth: 1020
    implicitHeight: 720
    LayoutMirroring.enabled: false

    JournalController {
        id: journal

        controller: AppController
    }

    // A record still open is saved before the sheet's content goes.
    Component.onDestruction: journal.commitEditing()

    // Esc leaves the record editor with what was typed saved, as it did when it closed the whole sheet;
    // Cancel is the way to drop it. An alert over the editor closes first.
    Shortcut {
        sequence: "Esc"
        enabled: view.somethingOpen && !AppController.sheets.showingAlert
        onActivated: view.journal.commitEditing()
    }

    RoundedGradient {
        anchors.fill: parent
        start: Qt.point(0, 0)
        end: Qt.point(width, height)
        colors: [Theme.sheetGradientTop, Theme.sheetGradientBottom]
    }

    Column {
        anchors.fill: parent

        Item {
            id: header

            width: parent.width
            height: 38 + 2 * 18

            Row {
                anchors.left: parent.left
                anchors.leftMargin: 24
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12

                Rectangle {
                    width: 38
                    height: 38
                    radius: 19 // own shape
                    color: Theme.accentTint(view.accent)
                    border.width: 1
                    border.color: Theme.accentOutline(view.accent)

                    SymbolIcon {
                        anchors.centerIn: parent
                        name: "note.text"
                        size: Theme.fontLetterTitle
                        color: view.accent
                    }
                }

                Column {
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 3

                    Text {
                        text: Texts.L("工作日志", "Notes Journal")
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                        font.pixelSize: Theme.fontViewTitle
                        font.weight: Theme.fontWeightEmphasis
                        color: Theme.foreground
                    }

                    Text {
                        text: Texts.L("把专注、想法与休整串成可回看的每日节律",
                                      "A daily rhythm of focus, ideas, and restorative breaks")
                        Accessible.name: text
                        font.pixelSize: Theme.fontLabel
                        color: Theme.textCaption
                    }
                }
            }

            Button {
                id: doneButton

                objectName: "journalDoneButton"
                anchors.right: parent.right
                anchors.rightMargin: 24
                anchors.verticalCenter: parent.verticalCenter
                text: Texts.L("完成", "Done")
                font.weight: Theme.fontWeightEmphasis
                leftPadding: 14
                rightPadding: 14
                onClicked: journal.close()
                Accessible.onPressAction: if (enabled) clicked()

                contentItem: Text {
                    text: doneButton.text
                    font: doneButton.font
                    color: Theme.textOnAccentStrong
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }

                background: Rectangle {
                    implicitHeight: 28
                    radius: Theme.radiusDoneButton
                    color: doneButton.down ? Theme.accentButtonPressed(view.accent) : view.accent
                }

                FocusRing {
                    cornerRadius: 7
                }
            }

            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: Theme.outlineFaint
            }
        }

        Row {
            width: parent.width
            height: parent.height - header.height

            JournalCalendarPanel {
                width: 350
                height: parent.height
                journal: journal
            }

            Rectangle {
                width: 1
                height: parent.height
                color: Theme.outlineFaint
            }

            JournalTimelinePanel {
                width: parent.width - 351
                height: parent.height
                journal: journal
            }
        }
    }
}
