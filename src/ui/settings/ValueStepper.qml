pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import Quorvane.Common

// A value between − and + buttons, one stop for the keyboard: the arrow keys step it by one and Page Up
// and Page Down by ten. A held button steps once at the press, again after 0.4 s and then every 0.08 s,
// as long as the step is possible. The owner decides what a step does and whether the next is possible;
// the label shows whatever it gives, a stored value outside the range included.
T.Control {
    id: stepper

    // The value's label grows past labelWidth rather than cut a stored value short.
    // Prefix of the parts' names: <name>Decrease, <name>Label, <name>Increase.
    required property string name
    required property string label
    required property bool canDecrease
    required property bool canIncrease
    // The setting it steps, which names it and its buttons for a screen reader, in the sheet's language.
    required property string title
    required property string language
    // A screen reader reads it as a spin button: the number within its range, spoken as the label shows it.
    required property real value
    required property real minimumValue
    required property real maximumValue
    readonly property real stepSize: 1
    readonly property string displayText: label
    property real buttonWidth: 34
    property real buttonHeight: 30
    property real labelWidth: 84
    property real labelSize: Theme.fontControl
    property int labelWeight: Theme.fontWeightEmphasis

    // -1 or +1, once per step.
    signal stepped(int direction)

    function step(direction, count) {
        for (let i = 0; i < count && (direction > 0 ? canIncrease : canDecrease); ++i)
            stepped(direction);
    }

    objectName: name + "Stepper"
    focusPolicy: Qt.StrongFocus
    spacing: 8
    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight
    Accessible.name: title
    Accessible.onIncreaseAction: step(1, 1)
    Accessible.onDecreaseAction: step(-1, 1)
    Keys.onUpPressed: step(1, 1)
    Keys.onRightPressed: step(1, 1)
    Keys.onDownPressed: step(-1, 1)
    Keys.onLeftPressed: step(-1, 1)
    Keys.onPressed: event => {
        if (event.key === Qt.Key_PageUp || event.key === Qt.Key_PageDown) {
            step(event.key === Qt.Key_PageUp ? 1 : -1, 10);
            event.accepted = true;
        }
    }

    component StepButton: SettingsButton {
        required property int direction

        width: stepper.buttonWidth
        height: stepper.buttonHeight
        leftPadding: 0
        rightPadding: 0
        text: direction > 0 ? "+" : "−"
        Accessible.name: Texts.text(direction > 0 ? "增加%1" : "减少%1", stepper.language).arg(stepper.title)
        Accessible.onPressAction: if (enabled) stepper.stepped(direction)
        enabled: direction > 0 ? stepper.canIncrease : stepper.canDecrease
        opacity: enabled ? 1 : Theme.opacityDisabled
        // The stepper is the one stop for the keys, so a press hands the focus to it, and a screen reader
        // hears of no stop that Tab skips (Qt reports every button focusable unless told otherwise).
        focusPolicy: Qt.NoFocus
        Accessible.focusable: false
        autoRepeat: true
        autoRepeatDelay: 400
        autoRepeatInterval: 80
        // Pressed again at every repeat; stepping on press, not click, keeps the release from adding
        // one more step after a hold.
        onPressed: {
            stepper.forceActiveFocus(Qt.MouseFocusReason);
            stepper.stepped(direction);
        }
    }

    Row {
        id: row

        spacing: stepper.spacing

        StepButton {
            objectName: stepper.name + "Decrease"
            direction: -1
        }

        Text {
            objectName: stepper.name + "Label"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(implicitWidth, stepper.labelWidth)
            text: stepper.label
            font.pixelSize: stepper.labelSize
            font.weight: stepper.labelWeight
            color: Theme.textBright
            horizontalAlignment: Text.AlignHCenter
        }

        StepButton {
            objectName: stepper.name + "Increase"
            direction: 1
        }
    }

    FocusRing {
        cornerRadius: 8
    }
}
