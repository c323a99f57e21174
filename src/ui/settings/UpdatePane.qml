import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The update pane: the running version with "Save & Check…", the automatic-check switch and the notes
// on where updates come from and what they leave alone. The switch is the update controller's own
// setting, not the working copy's: it takes effect at once and survives Cancel.
SettingsPaneStack {
    id: pane

    required property SettingsSession session
    readonly property UpdateController updates: AppController.updateController

    title: session.headingTitle
    subtitle: session.headingSubtitle

    SettingsCard {
        width: pane.width

        RowLayout {
            width: parent.width
            spacing: 17

            Rectangle {
                Layout.preferredWidth: 58
                Layout.preferredHeight: 58
                radius: 29 // own shape
                color: Theme.accentTint(pane.session.accent)

                SymbolIcon {
                    anchors.centerIn: parent
                    name: "arrow.triangle.2.circlepath"
                    size: Theme.fontSheetTitle
                    color: pane.session.accent
                }
            }

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 5

                Text {
                    text: pane.session.paneTexts.versionCaption
                    font.pixelSize: Theme.fontLabel
                    font.weight: Theme.fontWeightLabel
                    color: Theme.textSecondary
                    Accessible.name: text
                }

                Text {
                    objectName: "currentVersion"
                    text: pane.updates.currentVersion
                    font.pixelSize: Theme.fontPaneHeading
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.textBright
                    Accessible.name: text
                }

                Text {
                    objectName: "channelLine"
                    Layout.fillWidth: true
                    text: pane.updates.hasUpdateFeed ? pane.session.paneTexts.channelLine
                                                     : pane.session.paneTexts.noFeedNote
                    font.pixelSize: Theme.fontLabel
                    color: Theme.textSecondary
                    wrapMode: Text.Wrap
                    Accessible.name: text
                }
            }

            SettingsButton {
                objectName: "checkButton"
                prominent: true
                tint: pane.session.accent
                text: pane.session.paneTexts.checkButton
                enabled: pane.updates.canCheckForUpdates
                opacity: enabled ? 1 : Theme.opacityDisabled
                onClicked: pane.session.beginUpdateCheck()
                ToolTip.visible: hovered || visualFocus
                ToolTip.text: pane.session.paneTexts.checkTooltip
            }
        }
    }

    SettingsCard {
        width: pane.width

        Column {
            width: parent.width
            spacing: 16

            SettingRow {
                width: parent.width
                title: pane.session.paneTexts.automaticChecksTitle
                // Without a feed the version card's line says it all.
                detail: pane.updates.hasUpdateFeed ? pane.session.paneTexts.automaticChecksNote : ""

                // A build without a feed never checks, whatever the stored setting says.
                SettingsSwitch {
                    objectName: "automaticChecksSwitch"
                    accent: pane.session.accent
                    Accessible.name: pane.session.paneTexts.automaticChecksTitle
                    enabled: pane.updates.hasUpdateFeed
                    opacity: enabled ? 1 : Theme.opacityDisabled
                    checked: pane.updates.hasUpdateFeed && pane.updates.automaticallyChecksForUpdates
                    onToggled: pane.updates.automaticallyChecksForUpdates = checked
                }
            }

            Rectangle {
                width: parent.width
                height: 1
                color: Theme.separator
            }

            RowLayout {
                width: parent.width
                spacing: 12

                SymbolIcon {
                    Layout.alignment: Qt.AlignTop
                    Layout.preferredWidth: 23
                    name: "checkmark.shield.fill"
                    size: Theme.fontButton
                    color: pane.session.accent
                }

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 4

                    Text {
                        text: pane.session.paneTexts.sourceTitle
                        font.pixelSize: Theme.fontBody
                        font.weight: Theme.fontWeightEmphasis
                        color: Theme.textBright
                        Accessible.name: text
                    }

                    Text {
                        Layout.fillWidth: true
                        text: pane.session.paneTexts.sourceNote
                        font.pixelSize: Theme.fontLabel
                        color: Theme.textSecondary
                        wrapMode: Text.Wrap
                        Accessible.name: text
                    }
                }
            }
        }
    }

    RowLayout {
        width: pane.width - 4
        x: 2
        spacing: 10

        SymbolIcon {
            Layout.alignment: Qt.AlignTop
            name: "info.circle"
            size: Theme.fontEmphasis
            color: Theme.accentBright(pane.session.accent)
        }

        Text {
            objectName: "dataFolderNote"
            Layout.fillWidth: true
            text: pane.session.paneTexts.dataFolderNote
            font.pixelSize: Theme.fontLabel
            font.weight: Theme.fontWeightLabel
            color: Theme.textSecondary
            wrapMode: Text.Wrap
            Accessible.name: text
        }
    }
}
