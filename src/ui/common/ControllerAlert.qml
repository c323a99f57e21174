import QtQuick
import QtQuick.Controls
import Quorvane.Common
import Quorvane.Effects

// The controller's one alert: its title, its message as plain text and one button that only dismisses
// it. Each window has one; the alert shows in the window the controller names as its host. Dismissing
// it clears the controller's flag; moving to another window does not. A view with an alert of its own
// gives the texts and the flag, and clears its flag when dismissed.
AlertDialog {
    id: alert

    // Shown blurred behind the alert.
    property Item backdrop: null
    // The window this alert belongs to: a sheet, or Sheets.None for the main window.
    property int host: Sheets.None
    property bool wanted: AppController.sheets.showingAlert && AppController.sheets.alertHost === host
    // Set by a view with an alert of its own, which clears its own flag on dismissed().
    property bool ownFlag: false

    signal dismissed

    heading: AppController.sheets.alertTitle
    message: AppController.sheets.alertMessage
    headingColor: Theme.foreground
    defaultButton: dismissButton
    visible: wanted
    // Closed while still wanted here, it was the user who closed it.
    onClosed: {
        if (!wanted)
            return;
        if (ownFlag)
            dismissed();
        else
            AppController.sheets.showingAlert = false;
    }

    background: ShadowedGlass {
        backdrop: alert.backdrop
    }

    footer: Item {
        implicitHeight: dismissButton.implicitHeight + 22

        Button {
            id: dismissButton

            objectName: "alertDismissButton"
            anchors.right: parent.right
            anchors.rightMargin: 22
            anchors.top: parent.top
            leftPadding: 20
            rightPadding: 20
            text: Texts.text("知道了")
            onClicked: alert.close()
            Accessible.onPressAction: if (enabled) clicked()

            contentItem: Text {
                text: dismissButton.text
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightEmphasis
                color: Theme.textOnAccent
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            background: Rectangle {
                implicitWidth: 88
                implicitHeight: 32
                radius: height / 2
                color: Theme.accent
                opacity: dismissButton.down ? Theme.opacityPressed : 1
            }

            FocusRing {
                cornerRadius: height / 2
            }
        }
    }

    // A type of its own, whose ids stay inside it, so that the dialog makes it when it needs it.
    component ShadowedGlass: Item {
        id: plate

        required property Item backdrop

        SoftShadow {
            target: panel
            shapeRadius: panel.radius
            blurRadius: 30
            offsetY: 14
            color: Theme.shadow
        }

        // Without a backdrop to blur, the window's own controls would show through the tint.
        Rectangle {
            anchors.fill: panel
            visible: plate.backdrop === null
            radius: panel.radius
            color: Theme.sheetBackground
        }

        GlassPanel {
            id: panel

            anchors.fill: parent
            backdrop: plate.backdrop
            radius: Theme.radiusDialog
            tint: Theme.dialogGlass
            borderColor: Theme.outlineStrong
        }
    }
}
