import QtQuick
import Quorvane.Common
import Quorvane.Effects
import Quorvane.Journal

// One entry on the timeline: its times, the rail with its dot and connectors, and its card.
Item {
    id: row

    required property JournalController journal
    required property string entryID
    required property bool isBreak
    required property string timeText
    required property string accessibleName
    required property bool isFirst
    required property bool isLast
    required property int railHeight
    required property string symbol
    required property string title
    required property string subtitle
    required property string badgeText
    required property string badgeStyle
    required property string notesText
    required property bool hasNotes
    required property bool isEditing

    readonly property color kindColor: isBreak ? Theme.breakColour : Theme.accent

    height: Math.max(railHeight, card.height + 12)

    Text {
        id: times

        width: 82
        y: 14
        text: row.timeText
        horizontalAlignment: Text.AlignRight
        font.pixelSize: Theme.fontSmall
        font.weight: Theme.fontWeightLabel
        color: Theme.textSubtitle
    }

    Item {
        id: rail

        x: times.width + 14
        width: 14
        height: row.railHeight

        Rectangle {
            visible: !row.isFirst
            anchors.horizontalCenter: parent.horizontalCenter
            y: -20
            width: 1
            height: parent.height
            color: Theme.controlOutline
        }

        Rectangle {
            visible: !row.isLast
            anchors.horizontalCenter: parent.horizontalCenter
            y: 18
            width: 1
            height: parent.height
            color: Theme.controlOutline
        }

        RectangleGlow {
            anchors.fill: dot
            glowRadius: 6
            cornerRadius: dot.radius + glowRadius
            color: Theme.accentBar(row.kindColor)
        }

        Rectangle {
            id: dot

            anchors.horizontalCenter: parent.horizontalCenter
            y: 18
            width: 9
            height: 9
            radius: 4.5 // own shape
            color: row.kindColor
            border.width: 1
            border.color: Theme.textSubtitle
        }
    }

    JournalTimelineCard {
        id: card

        x: rail.x + rail.width + 14
        width: row.width - x
        row: row
    }
}
