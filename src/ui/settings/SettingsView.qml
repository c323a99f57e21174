import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The settings sheet: a header with the title, the pane line, Cancel and Save; the sidebar of the seven
// panes; and the selected pane in a scrolling area. Everything here edits the session's working copy and
// speaks its language, so the sheet previews a language or accent before it is saved. The working copy
// lives in a SettingsSession made with the view, so every opening starts afresh on the saved settings.
Rectangle {
    id: view

    readonly property alias session: session

    // Each pane's view, by the pane's name ("appearance", "general", "focus", "audio", "wheel",
    // "records", "update"). A pane without a view here shows its heading only.
    readonly property var paneViews: ({
            "appearance": appearancePane,
            "focus": rhythmPane,
            "audio": musicPane,
            "general": generalPane,
            "wheel": wheelPane,
            "records": recordsPane,
            "update": updatePane
        })
    // Something is open inside the sheet: an alert of its own or the controller's, or whatever the pane
    // shown has open (the appearance pane, by its `somethingOpen`). Return and Escape then stand aside,
    // and Escape closes only that.
    readonly property bool somethingOpen: session.showingWeightError || session.showingMinimumItemsAlert
                                          || session.symbolPickerItemId !== "" || AppController.sheets.showingAlert
                                          || (pane.item as AppearancePane)?.somethingOpen === true

    color: Theme.opaque(palette.window)

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        RowLayout {
            objectName: "settingsHeader"
            Layout.fillWidth: true
            Layout.preferredHeight: 76
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            spacing: 16

            Column {
                Layout.fillWidth: true
                spacing: 3

                Text {
                    objectName: "settingsTitle"
                    width: parent.width
                    text: view.session.title
                    font.pixelSize: Theme.fontSheetTitle
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.textBright
                    elide: Text.ElideRight
                    Accessible.name: text
                }

                Text {
                    objectName: "paneLine"
                    width: parent.width
                    text: view.session.paneLine
                    font.pixelSize: Theme.fontLabel
                    font.weight: Theme.fontWeightLabel
                    color: Theme.textSecondary
                    elide: Text.ElideRight
                    Accessible.name: text
                }
            }

            SettingsButton {
                objectName: "cancelButton"
                text: Texts.text("取消", view.session.language)
                onClicked: view.session.cancel()
            }

            SettingsButton {
                objectName: "saveButton"
                prominent: true
                tint: view.session.accent
                text: Texts.text("保存更改", view.session.language)
                onClicked: view.session.save()
            }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 1
            color: Theme.outline
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 0

            SettingsSidebar {
                Layout.fillHeight: true
                Layout.preferredWidth: 184
                session: view.session
            }

            Rectangle {
                Layout.fillHeight: true
                Layout.preferredWidth: 1
                color: Theme.outline
            }

            SheetScrollView {
                id: paneArea

                objectName: "paneArea"
                Layout.fillWidth: true
                Layout.fillHeight: true
                contentWidth: availableWidth
                contentHeight: pane.height + 56

                Loader {
                    id: pane

                    objectName: "paneContent"
                    x: 28
                    y: 28
                    width: paneArea.availableWidth - 56
                    sourceComponent: view.paneViews[view.session.selectedPane] ?? headingOnly
                    // Every pane opens at its top, whatever the one before was scrolled to.
                    onLoaded: paneArea.contentItem.contentY = 0
                }
            }
        }
    }

    // Unbound components, as Qt 6.4's Loader needs them in this file (it makes no bound one):
    // the QML tools of 6.4 do not follow them to the file's ids.
    // qmllint disable unqualified
    Component {
        id: appearancePane
        AppearancePane { session: view.session }
    }
    Component {
        id: rhythmPane
        RhythmPane { session: view.session }
    }
    Component {
        id: musicPane
        MusicPane { session: view.session }
    }
    Component {
        id: generalPane
        GeneralPane { session: view.session }
    }
    Component {
        id: wheelPane
        WheelPane { session: view.session }
    }
    Component {
        id: recordsPane
        RecordsPane { session: view.session }
    }
    Component {
        id: updatePane
        UpdatePane { session: view.session }
    }

    Component {
        id: headingOnly

        SettingsPaneStack {
            title: view.session.headingTitle
            subtitle: view.session.headingSubtitle
        }
    }
    // qmllint enable unqualified

    // Return saves, as Escape (which the sheet's window handles) cancels, unless a focused button, switch or
    // row takes it for itself: a text field or a slider leaves it to the sheet, as in a dialog.
    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: !view.somethingOpen
        onActivated: view.session.save()
    }

    SettingsAlert {
        objectName: "weightErrorAlert"
        shown: view.session.showingWeightError
        heading: view.session.weightErrorTitle
        message: view.session.weightErrorMessage
        buttonTitle: Texts.text("知道了", view.session.language)
        accent: view.session.accent
        onDismissed: view.session.showingWeightError = false
    }

    SettingsAlert {
        objectName: "minimumItemsAlert"
        shown: view.session.showingMinimumItemsAlert
        heading: view.session.minimumItemsTitle
        message: view.session.minimumItemsMessage
        buttonTitle: Texts.text("知道了", view.session.language)
        accent: view.session.accent
        onDismissed: view.session.showingMinimumItemsAlert = false
    }

    // Last, so that it goes after every item that reads it when the view is torn down.
    SettingsSession {
        id: session
    }
}
