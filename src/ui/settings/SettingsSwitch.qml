import QtQuick
import QtQuick.Templates as T
import Quorvane.Common

// A switch of the settings sheet that reads at a glance: on, its track is filled with the sheet's
// accent and the knob sits right; off, the track is a faint grey and the knob sits left.
T.Switch {
    id: control

    required property color accent

    implicitWidth: 38
    implicitHeight: 22
    padding: 0
    // Qt Quick's own toggle would flip `checked` without `toggled`, so the owner would never hear of it.
    Accessible.onToggleAction: if (enabled) { toggle(); toggled(); }
    Accessible.onPressAction: if (enabled) { toggle(); toggled(); }
    // Qt Quick reports no disabled state to a screen reader; the description says it instead.
    Accessible.description: enabled ? "" : Texts.text("不可用")

    indicator: Rectangle {
        objectName: "switchTrack"
        anchors.fill: parent
        radius: height / 2
        color: control.checked ? control.accent : Theme.outlineStrong
        border.width: 1
        border.color: control.checked ? Theme.highlight : Theme.controlOutline
        opacity: control.down ? Theme.opacityPressed : 1

        Rectangle {
            x: control.checked ? parent.width - width - 2 : 2
            anchors.verticalCenter: parent.verticalCenter
            width: parent.height - 4
            height: width
            radius: width / 2
            color: Theme.knob

            Behavior on x {
                NumberAnimation {
                    duration: Theme.durationHover
                    easing.type: Easing.OutCubic
                }
            }
        }
    }

    FocusRing {
        cornerRadius: height / 2
    }
}
