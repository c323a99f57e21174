pragma ComponentBehavior: Bound
import QtQuick
import Quorvane.Common
import Quorvane.Settings

// The general pane: the interface language, the main window's level, start at login and the about card.
SettingsPaneStack {
    id: pane

    required property SettingsSession session
    // The working copy's on/off settings by their keys in the settings file, each switch's own.
    readonly property var switches: session.switches

    title: session.headingTitle
    subtitle: session.headingSubtitle

    SettingsCard {
        width: pane.width

        Column {
            width: parent.width
            spacing: 16

            Row {
                spacing: 8

                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "globe"
                    size: Theme.fontSubheading
                    color: pane.session.accent
                }

                Text {
                    objectName: "languageHeading"
                    text: pane.session.paneTexts.languageHeading
                    font.pixelSize: Theme.fontControl
                    font.weight: Theme.fontWeightEmphasis
                    color: pane.session.accent
                    Accessible.name: text
                }
            }

            Text {
                width: parent.width
                text: pane.session.paneTexts.languageNote
                font.pixelSize: Theme.fontLabel
                color: Theme.textSecondary
                wrapMode: Text.Wrap
                Accessible.name: text
            }

            // The segments read the same in both languages.
            Row {
                objectName: "languagePicker"
                width: 190

                Repeater {
                    model: [{ "name": "chinese", "title": "中文" }, { "name": "english", "title": "English" }]

                    delegate: SettingsButton {
                        required property var modelData

                        objectName: "language_" + modelData.name
                        width: 95
                        // Bound, never toggled: a click on the chosen language must leave it chosen.
                        prominent: pane.session.language === modelData.name
                        Accessible.selectable: true
                        Accessible.selected: prominent
                        tint: pane.session.accent
                        text: modelData.title
                        onClicked: pane.session.setLanguageName(modelData.name)
                    }
                }
            }
        }
    }

    SettingsCard {
        width: pane.width

        Column {
            width: parent.width
            spacing: 14

            SettingRow {
                width: parent.width
                title: pane.session.paneTexts.keepOnTopTitle
                detail: pane.session.paneTexts.keepOnTopDetail

                SettingsSwitch {
                    objectName: "keepOnTopSwitch"
                    accent: pane.session.accent
                    Accessible.name: pane.session.paneTexts.keepOnTopTitle
                    checked: pane.switches.keepWindowOnTop
                    onToggled: pane.session.setSwitch("keepWindowOnTop", checked)
                }
            }

            Row {
                spacing: 10

                SymbolIcon {
                    objectName: "windowLevelSymbol"
                    anchors.verticalCenter: parent.verticalCenter
                    name: pane.session.windowLevelSymbol
                    size: Theme.fontEmphasis
                    color: pane.switches.keepWindowOnTop ? pane.session.accent : Theme.textSecondary
                }

                Text {
                    objectName: "windowLevelStatus"
                    anchors.verticalCenter: parent.verticalCenter
                    text: pane.session.windowLevelStatus
                    font.pixelSize: Theme.fontLabel
                    color: Theme.textSecondary
                    Accessible.name: text
                }
            }

            SettingRow {
                width: parent.width
                title: pane.session.paneTexts.startAtLoginTitle
                detail: pane.session.startAtLoginDetail

                SettingsSwitch {
                    objectName: "startAtLoginSwitch"
                    accent: pane.session.accent
                    Accessible.name: pane.session.paneTexts.startAtLoginTitle
                    checked: pane.session.startsAtLogin
                    onToggled: pane.session.setStartsAtLogin(checked)
                }
            }
        }
    }

    SettingsCard {
        width: pane.width

        Row {
            spacing: 16

            Image {
                objectName: "applicationIcon"
                anchors.verticalCenter: parent.verticalCenter
                width: 64
                height: 64
                source: "qrc:/quorvane/quorvane.svg"
                sourceSize.width: 128
                sourceSize.height: 128
                smooth: true
                mipmap: true
            }

            Column {
                anchors.verticalCenter: parent.verticalCenter
                spacing: 5

                Text {
                    objectName: "productName"
                    text: pane.session.paneTexts.productName
                    font.pixelSize: Theme.fontPaneHeading
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.textBright
                    Accessible.name: text
                }

                Text {
                    objectName: "otherName"
                    text: pane.session.paneTexts.otherName
                    font.pixelSize: Theme.fontLabel
                    font.weight: Theme.fontWeightLabel
                    color: Theme.textSecondary
                    Accessible.name: text
                }

                Text {
                    text: pane.session.paneTexts.tagline
                    font.pixelSize: Theme.fontBody
                    color: Theme.textNavigation
                    Accessible.name: text
                }
            }
        }
    }
}
