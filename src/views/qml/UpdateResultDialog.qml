import QtQuick
import QtQuick.Controls
import Quorvane

// What an update check found, in the main window: up to date, a newer release with a button to its
// page, or why the check failed. Whoever started the check (the tray, the settings sheet, the schedule),
// the answer shows here.
Dialog {
    id: dialog

    readonly property UpdateController updates: AppController.updateController
    property Item backdrop: null

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(440, parent.width - 64)
    modal: true
    closePolicy: Popup.CloseOnEscape
    visible: updates.showingResult
    padding: 22
    topPadding: 8
    onClosed: updates.showingResult = false

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.4)
    }

    background: GlassPanel {
        backdrop: dialog.backdrop
        radius: 18
        tintOpacity: 0.62
        borderColor: Qt.rgba(1, 1, 1, 0.14)
    }

    header: Text {
        objectName: "updateResultTitle"
        leftPadding: 22
        rightPadding: 22
        topPadding: 22
        text: dialog.updates.resultTitle
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font.pixelSize: 15
        font.weight: Font.DemiBold
        color: AppController.textColor
    }

    contentItem: Text {
        objectName: "updateResultMessage"
        text: dialog.updates.resultMessage
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        lineHeight: 1.15
        font.pixelSize: 13
        color: Qt.rgba(1, 1, 1, 0.78)
    }

    footer: Item {
        implicitHeight: buttons.implicitHeight + 22

        Row {
            id: buttons

            anchors.right: parent.right
            anchors.rightMargin: 22
            spacing: 10

            SettingsButton {
                objectName: "updateResultDismiss"
                text: dialog.updates.dismissButtonTitle
                onClicked: dialog.close()
            }

            SettingsButton {
                objectName: "updateResultOpenPage"
                visible: dialog.updates.updateAvailable
                prominent: true
                tint: AppController.accentColor
                text: dialog.updates.openPageButtonTitle
                onClicked: dialog.updates.openReleasePage()
            }
        }
    }
}
