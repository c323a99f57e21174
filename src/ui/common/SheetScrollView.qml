import QtQuick
import QtQuick.Controls

// A sheet's scrolling area that keeps in sight whatever inside it the keyboard (or a screen reader)
// focuses: Tab and Shift+Tab walk through every control, not only the ones already on screen. A click
// scrolls nothing, since the pointer can reach only what shows. Its content may be a list view.
ScrollView {
    id: view

    // Room for the focus ring, which sits 3 outside its control.
    readonly property real revealMargin: 8

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

    Window.onActiveFocusItemChanged: reveal(Window.activeFocusItem)
}
