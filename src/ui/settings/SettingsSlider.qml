import QtQuick
import QtQuick.Templates as T
import Quorvane.Common

// A slider of the settings sheet: the part up to the knob filled with the sheet's accent, the rest a
// faint grey, so both sliders of the sheet read the same way round.
T.Slider {
    id: control

    required property color accent
    // Qt Quick's accessibility reads a slider's range from these names, not from `from` and `to`.
    readonly property real minimumValue: from
    readonly property real maximumValue: to
    // Every slider of the sheet is a share shown in whole per cent, and read so.
    readonly property bool valueInPercent: true

    implicitWidth: 200
    implicitHeight: 22
    padding: 0
    // The arrows step one per cent, Page Up and Down ten, landing on whole per cents as the label shows them.
    stepSize: 0.01
    Keys.onPressed: event => {
        const percents = ({
                [Qt.Key_Right]: 1,
                [Qt.Key_Up]: 1,
                [Qt.Key_Left]: -1,
                [Qt.Key_Down]: -1,
                [Qt.Key_PageUp]: 10,
                [Qt.Key_PageDown]: -10
            })[event.key];
        if (percents === undefined)
            return;
        value = Math.round(value * 100 + percents) / 100;
        moved();
        event.accepted = true;
    }
    // A screen reader's steps move the value as a drag does, so the owner hears of them.
    Accessible.onIncreaseAction: {
        increase();
        moved();
    }
    Accessible.onDecreaseAction: {
        decrease();
        moved();
    }

    background: Rectangle {
        x: control.leftPadding
        y: control.topPadding + (control.availableHeight - height) / 2
        width: control.availableWidth
        height: 4
        radius: 2 // own shape
        color: Theme.outlineStrong

        Rectangle {
            objectName: "sliderFill"
            width: control.visualPosition * parent.width
            height: parent.height
            radius: 2 // own shape
            color: control.accent
        }
    }

    handle: Rectangle {
        x: control.leftPadding + control.visualPosition * (control.availableWidth - width)
        y: control.topPadding + (control.availableHeight - height) / 2
        width: 16
        height: 16
        radius: 8 // own shape
        color: control.pressed ? Theme.knobPressed : Theme.knob
        border.width: 1
        border.color: Theme.inputShade

        FocusRing {
            shown: control.visualFocus
            cornerRadius: 8
        }
    }
}
