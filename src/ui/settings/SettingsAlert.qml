import QtQuick
import Quorvane.Common

// One of the settings sheet's own alerts: a title, a message and one button that only closes it. It
// shows while `shown` is true; closing it in any way asks for the flag to be cleared.
AlertDialog {
    id: alert

    required property bool shown
    required property string buttonTitle
    required property color accent

    signal dismissed

    visible: shown
    defaultButton: button
    onClosed: {
        if (shown)
            dismissed();
    }

    background: Rectangle {
        radius: Theme.radiusDialog
        color: Theme.popupBackground
        border.width: 1
        border.color: Theme.outlineStrong
    }

    footer: Item {
        implicitHeight: button.implicitHeight + 22

        SettingsButton {
            id: button

            objectName: "settingsAlertButton"
            anchors.right: parent.right
            anchors.rightMargin: 22
            anchors.top: parent.top
            prominent: true
            tint: alert.accent
            text: alert.buttonTitle
            onClicked: alert.close()
        }
    }
}
