import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quorvane.Common

// The control row of the focus console. Without input access it is the one button that asks for it (or,
// while the desktop withholds the input, that counts elapsed time for this round);
// otherwise pause (or, while paused by hand, the primary resume button) beside finish-now. For a screen
// reader pause and resume are one switch, checked while paused; the keys move to the twin that shows.
Item {
    id: controls

    // The console's presentation from the controller.
    required property var shown

    implicitHeight: shown.showsPermissionButton ? permission.implicitHeight : pair.implicitHeight

    GoldButtonStyle {
        id: permission

        objectName: "permissionButton"
        anchors.left: parent.left
        anchors.right: parent.right
        visible: controls.shown.showsPermissionButton
        accent: Theme.accent
        text: controls.shown.permissionTitle
        contentItem: ButtonSymbolLabel {
            symbol: controls.shown.permissionSymbol
            text: permission.text
            color: permission.labelColor
            font: permission.font
        }
        onClicked: controls.shown.offersElapsedTime ? AppController.round.countElapsedTimeThisRound()
                                                    : AppController.round.enableAutomaticTracking()
    }

    RowLayout {
        id: pair

        anchors.left: parent.left
        anchors.right: parent.right
        visible: !controls.shown.showsPermissionButton
        spacing: 10

        GoldButtonStyle {
            id: resume

            objectName: "resumeButton"
            Layout.fillWidth: true
            Layout.preferredWidth: 1
            visible: controls.shown.pauseIsPrimary
            accent: Theme.accent
            text: controls.shown.pauseTitle
            checkable: true
            checked: controls.shown.pauseIsPrimary
            Accessible.name: controls.shown.pauseSwitchName
            onVisibleChanged: if (!visible && activeFocus) pause.forceActiveFocus(focusReason)
            contentItem: ButtonSymbolLabel {
                symbol: controls.shown.pauseSymbol
                text: resume.text
                color: resume.labelColor
                font: resume.font
            }
            onClicked: {
                AppController.round.toggleManualPause();
                checked = Qt.binding(() => controls.shown.pauseIsPrimary);
            }
        }

        SecondaryGlassButtonStyle {
            id: pause

            objectName: "pauseButton"
            Layout.fillWidth: true
            Layout.preferredWidth: 1
            visible: !controls.shown.pauseIsPrimary
            text: controls.shown.pauseTitle
            checkable: true
            checked: controls.shown.pauseIsPrimary
            Accessible.name: controls.shown.pauseSwitchName
            onVisibleChanged: if (!visible && activeFocus) resume.forceActiveFocus(focusReason)
            contentItem: ButtonSymbolLabel {
                symbol: controls.shown.pauseSymbol
                text: pause.text
                color: pause.labelColor
                font: pause.font
            }
            onClicked: {
                AppController.round.toggleManualPause();
                checked = Qt.binding(() => controls.shown.pauseIsPrimary);
            }
        }

        SecondaryGlassButtonStyle {
            id: finish

            objectName: "finishNowButton"
            Layout.fillWidth: true
            Layout.preferredWidth: 1
            text: controls.shown.finishTitle
            Accessible.description: controls.shown.finishHelp
            ToolTip.text: controls.shown.finishHelp
            ToolTip.visible: hovered || visualFocus
            ToolTip.delay: 700
            contentItem: ButtonSymbolLabel {
                symbol: controls.shown.finishSymbol
                text: finish.text
                color: finish.labelColor
                font: finish.font
            }
            onClicked: AppController.round.finishFocusNow()
        }
    }
}
