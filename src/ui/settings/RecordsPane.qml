import QtQuick
import Quorvane.Common
import Quorvane.Settings

// The records pane: where the two CSV logs are, and what the input monitoring needs and never does.
SettingsPaneStack {
    id: pane

    required property SettingsSession session

    title: session.headingTitle
    subtitle: session.headingSubtitle

    SettingsCard {
        width: pane.width

        Column {
            width: parent.width
            spacing: 14

            FileRow {
                objectName: "activityLogRow"
                width: parent.width
                title: pane.session.paneTexts.activityLogTitle
                path: AppController.window.activityLogPath
                language: pane.session.language
                onRevealRequested: AppController.window.openActivityLogInFileManager()
            }

            Rectangle {
                width: parent.width
                height: 1
                color: Theme.separator
            }

            FileRow {
                objectName: "focusLogRow"
                width: parent.width
                title: pane.session.paneTexts.focusLogTitle
                path: AppController.window.focusLogPath
                language: pane.session.language
                onRevealRequested: AppController.window.openFocusLogInFileManager()
            }
        }
    }

    SettingsCard {
        width: pane.width

        Column {
            width: parent.width
            spacing: 11

            Row {
                spacing: 8

                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "keyboard.and.cursorarrow"
                    size: Theme.fontSubheading
                    color: pane.session.accent
                }

                Text {
                    objectName: "inputHeading"
                    text: pane.session.paneTexts.inputHeading
                    font.pixelSize: Theme.fontControl
                    font.weight: Theme.fontWeightEmphasis
                    color: pane.session.accent
                    Accessible.name: text
                }
            }

            Text {
                width: parent.width
                text: pane.session.paneTexts.inputNote
                font.pixelSize: Theme.fontBody
                color: Theme.textSecondary
                wrapMode: Text.Wrap
                Accessible.name: text
            }

            Text {
                width: parent.width
                text: pane.session.paneTexts.emergencyUnlock
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightEmphasis
                color: Theme.textBright
                wrapMode: Text.Wrap
                Accessible.name: text
            }

            SettingsButton {
                objectName: "inputAccessButton"
                visible: pane.session.paneTexts.showsInputAccessButton
                text: pane.session.paneTexts.inputAccessButton
                onClicked: AppController.openAccessibilitySettings()
            }
        }
    }
}
