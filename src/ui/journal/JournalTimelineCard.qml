import QtQuick
import Quorvane.Common

// The card of one timeline entry: what it is and its notes, or the record editor while it is open.
Rectangle {
    id: card

    required property var row
    readonly property color accent: AppController.accentColor

    height: content.height + 30
    radius: 16
    color: Qt.rgba(1, 1, 1, 0.045)
    border.width: 1
    border.color: row.isEditing ? Qt.rgba(accent.r, accent.g, accent.b, 0.28) : Qt.rgba(1, 1, 1, 0.08)

    Behavior on border.color {
        ColorAnimation {
            duration: 160
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
                radius: 14
                color: Qt.rgba(card.row.kindColor.r, card.row.kindColor.g, card.row.kindColor.b, 0.12)

                SymbolIcon {
                    anchors.centerIn: parent
                    name: card.row.symbol
                    size: 13
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
                    font.pixelSize: 14
                    font.weight: Font.DemiBold
                    color: AppController.textColor
                }

                Text {
                    width: parent.width
                    text: card.row.subtitle
                    elide: Text.ElideRight
                    font.pixelSize: 10
                    font.weight: Font.Medium
                    color: Qt.rgba(1, 1, 1, 0.38)
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
                color: isHealth ? Qt.rgba(card.accent.r, card.accent.g, card.accent.b, 0.1) : Qt.rgba(1, 1, 1, 0.045)

                Text {
                    id: badgeText

                    anchors.centerIn: parent
                    text: card.row.badgeText
                    font.pixelSize: 12
                    color: badge.isHealth ? card.accent
                                          : card.row.badgeStyle === "done" ? "#77C7B4" : Qt.rgba(1, 1, 1, 0.44)
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
        }
    }
    // qmllint enable unqualified
}
