import QtQuick
import QtQuick.Controls

// A text field of the settings sheet: one line on a faint rounded plate. It reports only what the user
// types (`textEdited`), so a value shown in it is never written back by showing it.
TextField {
    id: field

    // Outlined in red while its text is what keeps the sheet from saving.
    property bool invalid: false

    implicitHeight: 28
    leftPadding: 8
    rightPadding: 8
    font.pixelSize: 13
    color: Qt.rgba(1, 1, 1, 0.9)
    placeholderTextColor: Qt.rgba(1, 1, 1, 0.3)
    selectByMouse: true

    background: Rectangle {
        radius: 7
        color: Qt.rgba(1, 1, 1, 0.06)
        border.width: 1
        border.color: field.invalid ? Qt.rgba(1, 0.42, 0.4, 0.9)
                                     : field.activeFocus ? Qt.rgba(1, 1, 1, 0.3) : Qt.rgba(1, 1, 1, 0.12)
    }
}
