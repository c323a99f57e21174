import QtQuick
import QtQuick.Controls
import Quorvane

// One of the settings sheet's own alerts: a title, a message and one button that only closes it. It
// shows while `shown` is true; closing it in any way asks for the flag to be cleared.
Dialog {
    id: alert

    required property bool shown
    required property string heading
    required property string message
    required property string buttonTitle
    required property color accent

    signal dismissed

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(440, parent.width - 64)
    modal: true
    closePolicy: Popup.CloseOnEscape
    visible: shown
    padding: 22
    topPadding: 8
    onClosed: {
        if (shown)
            dismissed();
    }

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.4)
    }

    background: Rectangle {
        radius: 18
        color: "#1B2630"
        border.width: 1
        border.color: Qt.rgba(1, 1, 1, 0.14)
    }

    header: Text {
        leftPadding: 22
        rightPadding: 22
        topPadding: 22
        text: alert.heading
        wrapMode: Text.Wrap
        font.pixelSize: 15
        font.weight: Font.DemiBold
        color: "white"
    }

    contentItem: Text {
        text: alert.message
        wrapMode: Text.Wrap
        lineHeight: 1.15
        font.pixelSize: 13
        color: Qt.rgba(1, 1, 1, 0.78)
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
