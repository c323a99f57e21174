import QtQuick
import QtQuick.Controls

// A multi-line plain-text field that Tab and Shift+Tab leave like any other field, so that a keyboard
// user is never held inside it; Ctrl+Tab types a tab character for whoever wants one.
TextArea {
    id: area

    function leave(forward) {
        const next = nextItemInFocusChain(forward);
        if (next && next !== area)
            next.forceActiveFocus(forward ? Qt.TabFocusReason : Qt.BacktabFocusReason);
    }

    textFormat: TextEdit.PlainText
    wrapMode: TextEdit.Wrap
    selectByMouse: true
    background: null
    Accessible.multiLine: true

    Keys.onPressed: event => {
        if (event.key === Qt.Key_Tab && (event.modifiers & Qt.ControlModifier))
            area.insert(area.cursorPosition, "\t");
        else if (event.key === Qt.Key_Tab || event.key === Qt.Key_Backtab)
            area.leave(event.key === Qt.Key_Tab && !(event.modifiers & Qt.ShiftModifier));
        else
            return;
        event.accepted = true;
    }
}
