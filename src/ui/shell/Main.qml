import QtQuick
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
    }

    KeyboardLockGuard {
        locked: AppController.keyboardIsLocked
    }
}
