import QtQuick
import QtQuick.Controls
import QtQuick.Window
import Quorvane.Common
import Quorvane.Shell

Window {
    id: window

    title: AppController.appearance.windowTitle
    width: 1240
    height: 880
    // Qt's Wayland client holds a window at its minimum size even where a tiling compositor gives it
    // less, and the compositor then cuts the view off; there the minimum is the least the view is laid
    // out for, and below 760 × 540 the view gives way.
    minimumWidth: Qt.platform.pluginName === "wayland" ? 640 : 760
    minimumHeight: 540
    color: Theme.sheetBackground
    visible: true

    RootView {
        objectName: "rootView"
        anchors.fill: parent
        // Qt's own tooltips (the sheets', the console's) in the colours of the instant ones: the Basic
        // style draws them white on its light theme, whatever the application's palette says. One tooltip
        // serves every window of the engine, the sheets included.
        Component.onCompleted: {
            const tip = ToolTip.toolTip;
            tip.palette.toolTipBase = Theme.tooltipBackground;
            tip.palette.toolTipText = Theme.textPrimary;
            tip.palette.dark = Theme.shadowDeep;
        }
    }

    KeyboardLockGuard {
        locked: AppController.breakWheel.keyboardIsLocked
        onConfirmKeyPressed: AppController.breakWheel.confirmActivityCompleted()
    }
}
