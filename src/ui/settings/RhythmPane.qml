import QtQuick
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The rhythm pane: the round's length and the idle threshold, and what the activity monitoring keeps.
SettingsPaneStack {
    id: pane

    required property SettingsSession session

    title: session.headingTitle
    subtitle: session.headingSubtitle

    SettingsCard {
        width: pane.width

        Column {
            width: parent.width
            spacing: 16

            MinuteStepperRow {
                objectName: "sessionMinutes"
                width: parent.width
                language: pane.session.language
                title: pane.session.paneTexts.sessionMinutesTitle
                detail: pane.session.paneTexts.sessionMinutesDetail
                label: pane.session.sessionMinutesLabel
                minutes: pane.session.sessionMinutes
                minimum: pane.session.sessionMinutesMinimum
                maximum: pane.session.sessionMinutesMaximum
                canDecrease: pane.session.canDecreaseSessionMinutes
                canIncrease: pane.session.canIncreaseSessionMinutes
                onStepped: direction => pane.session.stepSessionMinutes(direction)
            }

            Rectangle {
                width: parent.width
                height: 1
                color: Theme.separator
            }

            MinuteStepperRow {
                objectName: "idleMinutes"
                width: parent.width
                language: pane.session.language
                title: pane.session.paneTexts.idleMinutesTitle
                detail: pane.session.paneTexts.idleMinutesDetail
                label: pane.session.idleMinutesLabel
                minutes: pane.session.idleMinutes
                minimum: pane.session.idleMinutesMinimum
                maximum: pane.session.idleMinutesMaximum
                canDecrease: pane.session.canDecreaseIdleMinutes
                canIncrease: pane.session.canIncreaseIdleMinutes
                onStepped: direction => pane.session.stepIdleMinutes(direction)
            }
        }
    }

    SettingsCard {
        width: pane.width

        RowLayout {
            width: parent.width
            spacing: 12

            SymbolIcon {
                Layout.alignment: Qt.AlignTop
                name: "hand.raised.fill"
                color: pane.session.accent
            }

            Text {
                objectName: "privacyNote"
                Layout.fillWidth: true
                text: pane.session.paneTexts.privacyNote
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightLabel
                color: Theme.textSecondary
                wrapMode: Text.Wrap
                Accessible.name: text
            }
        }
    }
}
