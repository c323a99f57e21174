import QtQuick
import Quorvane.Common

// The card of one timeline entry: what it is and its notes, or the record editor while it is open.
Rectangle {
    id: card

    required property var row
    readonly property color accent: Theme.accent

    height: content.height + 30
    radius: Theme.radiusCard
    color: Theme.surfaceCard
    border.width: 1
    border.color: row.isEditing ? Theme.accentOutline(accent) : Theme.outline

    Behavior on border.color {
        ColorAnimation {
            duration: Theme.durationSelection
            easing.type: Easing.OutQuad
        }
    }

    Column {
        id: content

        x: 15
        y: 15
        width: parent.width - 30
        spacing: 10

        Item {
            width: parent.width
            height: Math.max(28, names.height)

            Rectangle {
                id: icon

                anchors.verticalCenter: parent.verticalCenter
                width: 28
                height: 28
                radius: 14 // own shape
                color: Theme.accentTint(card.row.kindColor)

                SymbolIcon {
                    anchors.centerIn: parent
                    name: card.row.symbol
                    size: Theme.fontBody
                    color: card.row.kindColor
                }
            }

            Column {
                id: names

                anchors.left: icon.right
                anchors.leftMargin: 9
                anchors.right: badge.left
                anchors.rightMargin: 9
                anchors.verticalCenter: parent.verticalCenter
                spacing: 2

                Text {
                    width: parent.width
                    text: card.row.title
                    elide: Text.ElideRight
                    font.pixelSize: Theme.fontControl
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.foreground
                }

                Text {
                    width: parent.width
                    text: card.row.subtitle
                    elide: Text.ElideRight
                    font.pixelSize: Theme.fontCaption
                    font.weight: Theme.fontWeightLabel
                    color: Theme.textTertiary
                }
            }

            Rectangle {
                id: badge

                readonly property bool isHealth: card.row.badgeStyle === "health"

                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                width: badgeText.implicitWidth + 16
                height: badgeText.implicitHeight + 8
                radius: height / 2
                color: isHealth ? Theme.accentWash(card.accent) : Theme.surfaceCard

                Text {
                    id: badgeText

                    anchors.centerIn: parent
                    text: card.row.badgeText
                    font.pixelSize: Theme.fontLabel
                    color: badge.isHealth ? card.accent
                                          : card.row.badgeStyle === "done" ? Theme.breakColour : Theme.textCaption
                }
            }
        }

        Loader {
            width: parent.width
            sourceComponent: card.row.isEditing ? editorComponent : notesComponent
        }
    }

    // Unbound components, as Qt 6.4's Loader needs them in this file (it makes no bound one):
    // the QML tools of 6.4 do not follow them to the file's ids.
    // qmllint disable unqualified
    Component {
        id: notesComponent

        JournalNoteDisplay {
            entryID: card.row.entryID
            accessibleName: card.row.accessibleName
            notesText: card.row.notesText
            hasNotes: card.row.hasNotes
            onEdit: card.row.journal.beginEditing(card.row.entryID)
        }
    }

    Component {
        id: editorComponent

        JournalRecordEditor {
            journal: card.row.journal
            entryID: card.row.entryID
            accessibleName: card.row.accessibleName
            title: card.row.title
        }
    }
    // qmllint enable unqualified
}
