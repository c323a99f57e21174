import QtQuick
import QtQuick.Controls
import Quorvane.Common

// A text field of the settings sheet: one line on a faint rounded plate. It reports only what the user
// types (`textEdited`), so a value shown in it is never written back by showing it.
TextField {
    id: field

    // Outlined in red while its text is what keeps the sheet from saving.
    property bool invalid: false

    implicitHeight: 28
    leftPadding: 8
    rightPadding: 8
    font.pixelSize: Theme.fontBody
    color: Theme.textPrimary
    placeholderTextColor: Theme.placeholder
    selectByMouse: true

    background: Rectangle {
        radius: 7 // own shape
        color: Theme.controlFill
        border.width: 1
        border.color: field.invalid ? Theme.danger
                                     : field.activeFocus ? Theme.placeholder : Theme.controlOutline
    }
}
