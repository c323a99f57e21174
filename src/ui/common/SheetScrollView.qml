import QtQuick
import QtQuick.Controls

// A sheet's scrolling area that keeps in sight whatever inside it the keyboard (or a screen reader)
// focuses: Tab and Shift+Tab walk through every control, not only the ones already on screen. A click
// scrolls nothing, since the pointer can reach only what shows. Its content may be a list view.
// Page Up and Down, Home and End scroll it from whatever inside leaves those keys alone; the arrows too
// while the view itself has the focus, which Tab gives it where it holds text to read (`focusStop`).
ScrollView {
    id: view

    // Room for the focus ring, which sits 3 outside its control.
    readonly property real revealMargin: 8
    // What an arrow key scrolls.
    readonly property real lineStep: 40
    property bool focusStop: false

    function contains(item) {
        for (let ancestor = item; ancestor !== null; ancestor = ancestor.parent) {
            if (ancestor === contentItem)
                return true;
        }
        return false;
    }

    function reveal(item) {
        if (item === null || item === contentItem || item.focusReason === Qt.MouseFocusReason || !contains(item))
            return;
        const flickable = contentItem as Flickable;
        const area = item.mapToItem(flickable.contentItem, 0, 0, item.width, item.height);
        const top = area.y - revealMargin;
        const bottom = area.y + area.height + revealMargin;
        // A list view's content may begin above 0, and it keeps margins of its own.
        const first = flickable.originY - flickable.topMargin;
        const last = flickable.originY + flickable.contentHeight + flickable.bottomMargin - flickable.height;
        // A control taller than the view shows from its top.
        if (top < flickable.contentY || bottom - top > flickable.height)
            flickable.contentY = Math.max(first, top);
        else if (bottom > flickable.contentY + flickable.height)
            flickable.contentY = Math.min(bottom - flickable.height, last);
    }

    // The new top of the content for a scrolling key, or NaN for any other key.
    function scrolledTo(key) {
        const flickable = contentItem as Flickable;
        const first = flickable.originY - flickable.topMargin;
        const last = Math.max(first, flickable.originY + flickable.contentHeight + flickable.bottomMargin
                              - flickable.height);
        const page = Math.max(lineStep, flickable.height - lineStep);
        const arrows = activeFocus ? lineStep : NaN;
        const step = {
            [Qt.Key_PageDown]: page,
            [Qt.Key_PageUp]: -page,
            [Qt.Key_Down]: arrows,
            [Qt.Key_Up]: -arrows,
            [Qt.Key_End]: Infinity,
            [Qt.Key_Home]: -Infinity
        }[key];
        return step === undefined ? NaN : Math.max(first, Math.min(last, flickable.contentY + step));
    }

    // At rest too, wherever there is more to scroll to: a window shorter than the sheet's own height
    // hides part of the view, and the bar says so.
    ScrollBar.vertical.policy: (contentItem as Flickable).contentHeight > (contentItem as Flickable).height
                               ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
    activeFocusOnTab: focusStop
    focusPolicy: focusStop ? Qt.TabFocus : Qt.NoFocus
    Keys.onPressed: event => {
        const top = scrolledTo(event.key);
        event.accepted = !isNaN(top) && event.modifiers === Qt.NoModifier;
        if (event.accepted)
            (contentItem as Flickable).contentY = top;
    }
    Window.onActiveFocusItemChanged: reveal(Window.activeFocusItem)

    // Inside the view's edges, which may be the window's.
    background: Item {
        FocusRing {
            control: view
            anchors.margins: 2
            cornerRadius: 6
        }
    }
}
