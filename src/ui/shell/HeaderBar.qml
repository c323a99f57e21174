import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quorvane.Common

// The strip across the top of the main window: the day's status rows and the developer-corner button
// on the left; the three switches above the three commands on the right. Everything it shows comes
// ready to draw from the controller's header presentation; every action is the controller's.
RowLayout {
    id: header

    readonly property var shown: AppController.console.header

    spacing: 12

    Column {
        Layout.alignment: Qt.AlignTop
        spacing: 9

        HeaderStatusRow {
            objectName: "roundRow"
            shown: header.shown.round
        }

        HeaderStatusRow {
            objectName: "healthRow"
            shown: header.shown.health
        }

        HeaderStatusRow {
            objectName: "completedRow"
            shown: header.shown.completed
        }

        AbstractButton {
            id: developerCorner

            objectName: "developerCornerButton"
            enabled: header.shown.commandsEnabled
            // Dimmed through the colours while enabled; see Theme.faded().
            readonly property real dimming: enabled ? 0.82 : 1
            opacity: enabled ? 1 : Theme.opacityInactive
            Accessible.name: header.shown.developerCorner.title
            Accessible.description: enabled ? "" : Texts.text("不可用")
            Accessible.onPressAction: if (enabled) clicked()
            onClicked: AppController.openDeveloperCorner()

            contentItem: Row {
                spacing: 7

                SymbolIcon {
                    width: 18
                    height: 18
                    name: header.shown.developerCorner.symbol
                    size: Theme.fontControl
                    color: Theme.faded(Theme.accent, developerCorner.dimming)
                }

                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: header.shown.developerCorner.title
                    textFormat: Text.PlainText
                    font.pixelSize: Theme.fontControl
                    font.weight: Theme.fontWeightLabel
                    color: Theme.faded(Theme.accent, developerCorner.dimming)
                }
            }

            InstantTooltip {
                title: header.shown.developerCorner.title
                detail: header.shown.developerCorner.detail
                placement: "trailing"
            }

            FocusRing {
                cornerRadius: 4
                opacity: developerCorner.dimming
            }
        }
    }

    Item {
        Layout.fillWidth: true
    }

    Column {
        Layout.alignment: Qt.AlignTop
        spacing: 8

        Row {
            anchors.right: parent.right
            spacing: 8

            HeaderToggleButton {
                objectName: "trackingSwitch"
                shown: header.shown.tracking
                onClicked: AppController.round.toggleActivityTracking()
            }

            HeaderToggleButton {
                objectName: "windowOnTopSwitch"
                shown: header.shown.windowOnTop
                onClicked: AppController.toggleWindowOnTop()
            }

            HeaderToggleButton {
                objectName: "overlaySwitch"
                shown: header.shown.overlay
                onClicked: AppController.toggleBackgroundOverlay()
            }
        }

        Row {
            anchors.right: parent.right
            spacing: 8

            HeaderActionButton {
                objectName: "journalCommand"
                shown: header.shown.journal
                enabled: header.shown.commandsEnabled
                onClicked: AppController.openJournal()
            }

            HeaderActionButton {
                objectName: "statisticsCommand"
                shown: header.shown.statistics
                enabled: header.shown.commandsEnabled
                onClicked: AppController.showDailyInsights()
            }

            HeaderActionButton {
                objectName: "settingsCommand"
                shown: header.shown.settings
                enabled: header.shown.commandsEnabled
                onClicked: AppController.openSettings()
            }
        }
    }
}
