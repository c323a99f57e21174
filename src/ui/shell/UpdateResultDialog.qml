import QtQuick
import Quorvane.Common
import Quorvane.Effects

// What an update check found, in the main window: up to date, a newer release with a button to its
// page, or why the check failed. Whoever started the check (the tray, the settings sheet, the schedule),
// the answer shows here.
AlertDialog {
    id: dialog

    readonly property UpdateController updates: AppController.updateController
    property Item backdrop: null

    heading: updates.resultTitle
    message: updates.resultMessage
    headingColor: Theme.foreground
    defaultButton: updates.canOpenReleasePage ? openPageButton : dismissButton
    visible: updates.showingResult
    onClosed: updates.showingResult = false

    background: GlassPanel {
        backdrop: dialog.backdrop
        radius: Theme.radiusDialog
        tint: Theme.dialogGlass
        borderColor: Theme.outlineStrong
    }

    // While the check the user asked for runs, the update symbol stands before the title.
    header: Row {
        leftPadding: 22
        rightPadding: 22
        topPadding: 22
        spacing: 8

        SymbolIcon {
            objectName: "updateResultChecking"
            visible: dialog.updates.showsChecking
            anchors.verticalCenter: title.verticalCenter
            width: 18
            name: "arrow.triangle.2.circlepath"
            size: Theme.fontSubheading
            color: Theme.accent
        }

        Text {
            id: title

            objectName: "alertTitle"
            width: parent.width - parent.leftPadding - parent.rightPadding
                   - (dialog.updates.showsChecking ? 18 + parent.spacing : 0)
            text: dialog.heading
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.fontEmphasis
            font.weight: Theme.fontWeightEmphasis
            color: dialog.headingColor
        }
    }

    footer: Item {
        implicitHeight: buttons.implicitHeight + 22

        Row {
            id: buttons

            anchors.right: parent.right
            anchors.rightMargin: 22
            spacing: 10

            SettingsButton {
                id: dismissButton

                objectName: "updateResultDismiss"
                text: dialog.updates.dismissButtonTitle
                onClicked: dialog.close()
            }

            SettingsButton {
                id: openPageButton

                objectName: "updateResultOpenPage"
                visible: dialog.updates.canOpenReleasePage
                prominent: true
                tint: Theme.accent
                text: dialog.updates.openPageButtonTitle
                onClicked: dialog.updates.openReleasePage()
            }
        }
    }
}
