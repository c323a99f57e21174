import QtQuick
import QtQuick.Controls
import QtQuick.Window
import Quorvane.Common

// One sheet: a dialog window of a fixed size, modal to the main window and centred over it, shown while
// the sheets count it open. Its view is built afresh each time the sheet opens, kept while it
// stays open and destroyed when it closes; without a view the sheet is empty. The sheet holds the
// one alert while it is the newest open sheet.
Window {
    id: sheet

    // Which of the controller's sheets this is (a Sheets.Sheet), also as its alert's host.
    required property int kind
    // The QML tools of Qt 6.4 know no array method of a C++ list, which the engine gives every list.
    // qmllint disable type
    readonly property bool showing: AppController.sheets.openSheets.includes(kind)
    // qmllint enable type
    required property size fixedSize
    // The view that fills the sheet: a QML file whose root item is laid out to the sheet's size. It is
    // compiled when the sheet first opens, so that start-up does not pay for views, and the modules they
    // import, that may never show.
    property url content
    // The fixed size, or as much of it as fits on the screen.
    property size openSize: fixedSize
    // A sheet cut to a shorter screen lays its view out for the height it gets, and the view's own
    // scrolling area takes up the difference; only below this height, or on a narrower screen, does the
    // sheet scroll as a whole.
    readonly property real smallestLayoutHeight: 480
    // The view while the sheet is open; null otherwise.
    readonly property Item view: contentLoader.item as Item

    // The view's first control is yet to take the focus, which waits for the sheet to be active.
    property bool firstFocusPending: false

    // Shown and hidden through the Window's own `visible` as well: Qt puts off a window's declared
    // visibility until its main window first shows, and applies it then, which would hide again a sheet
    // shown in between. show() and hide() act at once, whether the main window shows or not.
    function present() {
        if (!showing) {
            visible = false;
            hide();
            return;
        }
        openSize = Placement.sheetSize(sheet, transientParent, fixedSize);
        const position = Placement.sheetPosition(sheet, transientParent, openSize);
        x = position.x;
        y = position.y;
        visible = true;
        show();
        raise();
        requestActivate();
        // The controller may bring the main window forward in the same step that opened the sheet;
        // the sheet is raised again after that, so it is never left behind its own main window.
        Qt.callLater(raiseIfShown);
    }

    function focusFirstControl() {
        firstFocusPending = false;
        // Not away from a control that the user reached meanwhile.
        if (activeFocusItem?.activeFocusOnTab === true)
            return;
        view?.nextItemInFocusChain(true)?.forceActiveFocus(Qt.ActiveWindowFocusReason);
    }

    function raiseIfShown() {
        if (showing)
            raise();
    }

    // Until a sheet first shows, the window manager's frame around it is a guess; once it is known, a
    // sheet that the guess let run off the screen is fitted again.
    function fitToFrame() {
        const fitted = Placement.sheetSize(sheet, transientParent, fixedSize);
        if (fitted.width === openSize.width && fitted.height === openSize.height)
            return;
        openSize = fitted;
        const position = Placement.sheetPosition(sheet, transientParent, openSize);
        x = position.x;
        y = position.y;
    }

    // A dialog's frame with a title and a close button only: a sheet of a fixed size has nothing to
    // maximise, and minimising it alone would hide it while its main window waits for it.
    flags: Qt.Dialog | Qt.CustomizeWindowHint | Qt.WindowTitleHint | Qt.WindowCloseButtonHint
    modality: Qt.WindowModal
    width: openSize.width
    height: openSize.height
    minimumWidth: openSize.width
    maximumWidth: openSize.width
    minimumHeight: openSize.height
    maximumHeight: openSize.height
    color: Theme.sheetBackground
    visible: false
    onShowingChanged: present()
    Component.onCompleted: present()
    // The user closed the sheet (Esc or the window manager's close).
    onClosing: AppController.sheets.close(sheet.kind)
    onActiveChanged: {
        if (!active)
            return;
        fitToFrame();
        if (firstFocusPending)
            firstFocusSoon.start();
    }

    // After the window's own activation has been told, which the same activation is still telling.
    Timer {
        id: firstFocusSoon

        interval: 0
        onTriggered: sheet.focusFirstControl()
    }

    Flickable {
        id: sheetScroll

        objectName: "sheetScroll"
        anchors.fill: parent
        contentWidth: contentLoader.width
        contentHeight: contentLoader.height
        interactive: contentHeight > height || contentWidth > width
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: ScrollBar {
            policy: sheetScroll.contentHeight > sheetScroll.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
        }
        ScrollBar.horizontal: ScrollBar {
            policy: sheetScroll.contentWidth > sheetScroll.width ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
        }

        // Built in the same step as the sheet opens (not asynchronously), so that the sheet's first frame
        // already shows its view and the view's first focus and the Esc shortcut work from that frame on.
        Loader {
            id: contentLoader

            width: sheet.fixedSize.width
            // Qt can miss telling the window's new height when the sheet is fitted again right after it
            // shows (seen on a busy X server), which left the view laid out for the taller guess; the
            // size the sheet asked for is always told, and a window manager that gives less is too.
            height: Math.max(Math.min(sheet.height, sheet.openSize.height),
                Math.min(sheet.smallestLayoutHeight, sheet.fixedSize.height))
            active: sheet.showing
            source: sheet.content
            // A keyboard or screen-reader user starts on the sheet's first control, not on nothing; once
            // the sheet is active, so that a screen reader names the sheet before the control.
            onLoaded: {
                sheet.firstFocusPending = true;
                if (sheet.active)
                    sheet.focusFirstControl();
            }
        }
    }

    // An alert open in this sheet takes Esc first, and so does anything the view has open inside it
    // (its own alerts, a popup, a file dialog), which the view tells by a `somethingOpen` of its own. Not
    // every view has one, and the sheet does not know its view's type: the property is looked up by name.
    Shortcut {
        sequence: "Esc"
        enabled: sheet.showing && !sheetAlert.visible && sheet.view?.["somethingOpen"] !== true
        onActivated: AppController.sheets.close(sheet.kind)
    }

    Connections {
        target: AppController.sheets

        function onOpenedAgain(opened: int) {
            if (opened === sheet.kind)
                sheet.present();
        }
    }

    ControllerAlert {
        id: sheetAlert

        objectName: sheet.objectName.replace(/Sheet$/, "Alert")
        host: sheet.kind
    }
}
