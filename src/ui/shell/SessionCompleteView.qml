import QtQuick
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.NowPlaying

// The screen of the round-complete phase: the round is over, its notes stay editable, and the one action
// starts the locked break through the controller. A failed lock raises the alert; the screen
// then stays as it is and the button can be pressed again.
Item {
    id: screen

    // Shown blurred through the glass: the scene behind the interface.
    property Item backdrop: null
    // Where the header bar above the screen ends: the stack is centred in the room below it.
    property real reservedTop: 0
    readonly property var shown: AppController.console.roundComplete
    // Under a sheet the heading's focus tells a screen reader nothing, the main window not being the active
    // one: the round's end is told as a notification instead, once, as the screen appears.
    property bool toldUnderSheet: false

    Component.onCompleted: toldUnderSheet = AppController.sheets.alertHost !== Sheets.None

    Connections {
        target: AppController.sheets

        function onAlertHostChanged() {
            if (AppController.sheets.alertHost === Sheets.None)
                screen.toldUnderSheet = false;
        }
    }

    Item {
        objectName: "roundCompleteAnnouncement"
        visible: screen.toldUnderSheet
        Accessible.role: Accessible.Notification
        Accessible.name: screen.shown.title
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.topMargin: screen.reservedTop
        anchors.leftMargin: 32
        anchors.rightMargin: 32
        // Where the room is short, the gaps narrow before the title and the notes give way, so that the
        // music card, the button and the safety line below them always fit.
        spacing: Math.max(10, Math.min(24, (screen.height - screen.reservedTop - 420) / 4))

        Item {
            Layout.fillHeight: true
        }

        Text {
            objectName: "roundCompleteTitle"
            Layout.alignment: Qt.AlignHCenter
            Layout.maximumWidth: parent.width
            Layout.fillHeight: true
            Layout.preferredHeight: implicitHeight
            Layout.maximumHeight: implicitHeight
            Layout.minimumHeight: 40
            text: screen.shown.title
            font.pixelSize: Theme.fontDisplay
            fontSizeMode: Text.VerticalFit
            minimumPixelSize: 28
            // A title fitted to less height is narrower than its box.
            horizontalAlignment: Text.AlignHCenter
            font.weight: Theme.fontWeightEmphasis
            color: Theme.foreground
            elide: Text.ElideRight
            Accessible.name: text
            Accessible.focusable: true
            // The screen is announced by its heading taking the focus.
            Component.onCompleted: forceActiveFocus()
        }

        SessionNotesEditor {
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 460
            Layout.maximumWidth: parent.width
            Layout.fillHeight: true
            Layout.preferredHeight: 118
            Layout.maximumHeight: 118
            Layout.minimumHeight: 84
            compact: false
            label: screen.shown.notesHeading
            placeholder: screen.shown.notesPlaceholder
        }

        // Between the notes and the button; it takes no room while no music plays.
        Item {
            objectName: "roundCompleteNowPlayingPlace"
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: nowPlaying.width
            Layout.preferredHeight: nowPlaying.height
            visible: nowPlaying.presence > 0

            NowPlayingCard {
                id: nowPlaying

                objectName: "roundCompleteNowPlayingCard"
                width: 380
                backdrop: screen.backdrop
                entrance: "scale"
            }
        }

        GoldButtonStyle {
            id: startBreak

            objectName: "startBreakButton"
            Layout.alignment: Qt.AlignHCenter
            accent: Theme.accent
            text: screen.shown.breakTitle
            contentItem: ButtonSymbolLabel {
                minimumWidth: 240
                symbol: screen.shown.breakSymbol
                text: startBreak.text
                color: startBreak.labelColor
                font: startBreak.font
                spacing: 10
            }
            onClicked: AppController.breakWheel.enterLockedBreak()
        }

        Item {
            Layout.fillHeight: true
        }

        Row {
            objectName: "roundCompleteHint"
            Layout.alignment: Qt.AlignHCenter
            Layout.bottomMargin: 30
            spacing: 8
            Accessible.role: Accessible.StaticText
            Accessible.name: screen.shown.hint

            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: screen.shown.hintSymbol
                size: Theme.fontEmphasis
                color: hint.color
            }

            Text {
                id: hint

                anchors.verticalCenter: parent.verticalCenter
                text: screen.shown.hint
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightLabel
                color: Theme.textSecondary
            }
        }
    }
}
