import QtQuick
import QtQuick.Templates as T

// The ring around a control that the keyboard reached (Tab, Backtab or an arrow key), never after a
// click: on the dark glass of every view it is the only sign of where the keys go. It sits 3 outside its
// parent's edge and follows the parent's corner radius.
Rectangle {
    id: ring

    // The control whose focus it shows: its parent, or a text area that its scrolling view clips, when
    // the ring sits on the view's plate instead.
    property Item control: parent
    // The parent's corner radius; a capsule passes half its height.
    property real cornerRadius: 0
    property bool shown: (control as T.Control)?.visualFocus === true || typedFromKeyboard(control as T.TextField)
                         || typedFromKeyboard(control as T.TextArea)

    // A text field has no visual focus of its own: its caret shows after a click as after Tab.
    function typedFromKeyboard(field) {
        return field !== null && field.activeFocus
               && (field.focusReason === Qt.TabFocusReason || field.focusReason === Qt.BacktabFocusReason
                   || field.focusReason === Qt.ShortcutFocusReason);
    }

    objectName: "focusRing"
    anchors.fill: parent
    anchors.margins: -3
    radius: cornerRadius + 3
    color: "transparent"
    border.width: 2
    border.color: Theme.textBody
    visible: shown
}
