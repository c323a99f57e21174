pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common
import Quorvane.Journal

// The journal's right column: the selected day's title and count (and the rows of the logs that could
// not be read), then its entries on a timeline, or
// the empty-day block once the first read has come in and found nothing for the day.
Item {
    id: panel

    required property JournalController journal
    readonly property color accent: Theme.accent

    clip: true

    Item {
        id: header

        width: parent.width
        height: titles.height + 2 * 19

        Column {
            id: titles

            anchors.left: parent.left
            anchors.leftMargin: 26
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 19
            spacing: 4

            Text {
                objectName: "journalDayTitle"
                text: panel.journal.dayTitle
                Accessible.role: Accessible.Heading
                Accessible.name: text
                font.pixelSize: Theme.fontSheetTitle
                font.weight: Theme.fontWeightEmphasis
                color: Theme.foreground
            }

            Text {
                objectName: "journalCountLine"
                text: panel.journal.countLine
                Accessible.name: text
                font.pixelSize: Theme.fontSmall
                color: Theme.textTertiary
            }

            Text {
                objectName: "journalUnreadableRows"
                visible: text.length > 0
                width: panel.width - 2 * 26
                wrapMode: Text.Wrap
                text: panel.journal.unreadableRowsNote
                Accessible.name: text
                font.pixelSize: Theme.fontSmall
                color: Theme.warningText
            }
        }

        Rectangle {
            visible: panel.journal.selectedDayIsToday
            anchors.right: parent.right
            anchors.rightMargin: 26
            anchors.bottom: titles.bottom
            width: today.implicitWidth + 20
            height: today.implicitHeight + 10
            radius: height / 2
            color: Theme.accentTint(panel.accent)

            Text {
                id: today

                anchors.centerIn: parent
                text: Texts.L("今天", "Today")
                Accessible.name: text
                font.pixelSize: Theme.fontSmall
                font.weight: Theme.fontWeightEmphasis
                color: panel.accent
            }
        }

        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.controlFill
        }
    }

    Column {
        objectName: "journalEmptyDay"
        visible: panel.journal.showsEmptyDay
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.verticalCenter: parent.verticalCenter
        anchors.verticalCenterOffset: header.height / 2
        spacing: 13

        SymbolIcon {
            anchors.horizontalCenter: parent.horizontalCenter
            name: "calendar.badge.plus"
            size: Theme.fontAmount
            color: Theme.accentMark(panel.accent)
        }

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: Texts.L("等待下一段专注", "Ready for the next focus session")
            Accessible.name: text
            font.pixelSize: Theme.fontSubheading
            font.weight: Theme.fontWeightEmphasis
            color: Theme.foreground
        }

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: Texts.L("在专注计时框中点击笔记，就可以开始记录。",
                          "Click Notes beside the focus timer to start capturing your work.")
            Accessible.name: text
            font.pixelSize: Theme.fontLabel
            color: Theme.textTertiary
        }
    }

    // Follows the keyboard down the day: Tab reaches each entry's notes and the open editor's fields.
    SheetScrollView {
        objectName: "journalTimelineArea"
        visible: list.count > 0
        anchors.top: header.bottom
        anchors.bottom: parent.bottom
        width: parent.width

        ListView {
            id: list

            objectName: "journalTimeline"
            clip: true
            topMargin: 20
            bottomMargin: 20
            boundsBehavior: Flickable.StopAtBounds
            model: panel.journal.dayModel

            delegate: JournalTimelineRow {
                x: 24
                width: list.width - 48
                journal: panel.journal
            }
        }
    }
}
