import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T

// An alert over its window: a title, a message and the buttons its footer gives. It takes the keyboard
// while open: its default button has the focus and Return or Enter presses it, Escape closes the alert,
// and once it closes the keys go back to the control that had them, or to the one that a screen shown
// meanwhile gave them to.
Dialog {
    id: alert

    property string heading
    property string message
    property color headingColor: Theme.textBright
    // Pressed by Return and Enter.
    property T.AbstractButton defaultButton: null
    // Where the keys were when the alert opened, and whether the keyboard had put them there.
    property Item focusBefore: null
    property bool focusBeforeShown: false
    // The window's focus, which a screen that appears while the alert is open takes for itself.
    readonly property Item windowFocus: parent ? parent.Window.activeFocusItem : null
    // From the moment it starts to close, the alert gives the keys up.
    property bool closing: false

    // Whether `item` is in this alert or in another popup over the window, such as an alert above it.
    function isOver(item: Item): bool {
        for (let above = item; above; above = above.parent) {
            if (above === alert.parent)
                return true;
        }
        return false;
    }

    // What a screen reader reads it as (a popup takes no Accessible of its own): an alert, which it reads
    // whole, title and message, as it appears.
    readonly property int accessibleRole: Accessible.AlertMessage

    // What a screen reader names the alert by; the header below shows it.
    title: heading
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(440, parent.width - 64)
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 22
    topPadding: 8
    onAboutToShow: {
        closing = false;
        const item = parent.Window.activeFocusItem;
        focusBefore = item;
        focusBeforeShown = item !== null && item.visualFocus === true;
        if (defaultButton)
            defaultButton.focus = true;
    }
    // Shown while a field of the window had the keys, the alert would leave them there, and a screen reader
    // would never meet it.
    onOpened: {
        if (defaultButton)
            defaultButton.forceActiveFocus(Qt.PopupFocusReason);
    }
    // A screen that appears as the alert opens focuses its first control to announce itself, which would
    // leave the alert silent and its keys to the screen behind: the alert keeps them, and the screen's
    // control has them back once the alert closes.
    onWindowFocusChanged: {
        // The window itself takes the keys from the alert as it starts to close.
        if (!visible || closing || !defaultButton || windowFocus === null
                || windowFocus === parent.Window.contentItem || isOver(windowFocus))
            return;
        focusBefore = windowFocus;
        focusBeforeShown = (windowFocus as T.Control)?.visualFocus === true;
        defaultButton.forceActiveFocus(Qt.PopupFocusReason);
    }
    // Given back as the alert starts to close: once it has closed, Qt would have put them back already,
    // silently, and a screen reader would hear of no change.
    onAboutToHide: {
        closing = true;
        if (focusBefore)
            focusBefore.forceActiveFocus(focusBeforeShown ? Qt.TabFocusReason : Qt.OtherFocusReason);
        focusBefore = null;
    }

    Overlay.modal: Rectangle {
        color: Theme.scrim
    }

    header: Text {
        objectName: "alertTitle"
        leftPadding: 22
        rightPadding: 22
        topPadding: 22
        text: alert.heading
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font.pixelSize: Theme.fontEmphasis
        font.weight: Theme.fontWeightEmphasis
        color: alert.headingColor
    }

    contentItem: Text {
        objectName: "alertMessage"
        text: alert.message
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        lineHeight: 1.15
        font.pixelSize: Theme.fontBody
        color: Theme.textParagraph
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: alert.opened && alert.defaultButton !== null && alert.defaultButton.visible
        onActivated: alert.defaultButton.clicked()
    }

    // With one button the focus chain leads back to it and Qt moves nothing, so Tab would show no ring.
    Shortcut {
        sequences: ["Tab", "Backtab"]
        enabled: alert.opened && alert.defaultButton !== null && alert.defaultButton.activeFocus
                 && alert.defaultButton.nextItemInFocusChain(true) === alert.defaultButton
        onActivated: alert.defaultButton.focusReason = Qt.TabFocusReason
    }
}
