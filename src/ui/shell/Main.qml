import QtQuick
import QtQuick.Controls
import QtQuick.Window
import Quorvane.Common
import Quorvane.Shell

Window {
    id: window

    title: AppController.windowTitle
    width: 1240
    height: 880
    minimumWidth: 760
    minimumHeight: 540
    color: "#0A141A"
    visible: true

    RootView {
        objectName: "rootView"
        anchors.fill: parent
        // Qt's own tooltips (the sheets', the console's) in the colours of the instant ones: the Basic
        // style draws them white on its light theme, whatever the application's palette says. One tooltip
        // serves every window of the engine, the sheets included.
        Component.onCompleted: {
            const tip = ToolTip.toolTip;
            tip.palette.toolTipBase = Qt.rgba(0.11, 0.13, 0.16, 1);
            tip.palette.toolTipText = Qt.rgba(1, 1, 1, 0.94);
            tip.palette.dark = Qt.rgba(0, 0, 0, 0.48);
        }
    }

    KeyboardLockGuard {
        locked: AppController.keyboardIsLocked
        onConfirmKeyPressed: AppController.confirmActivityCompleted()
    }
}
