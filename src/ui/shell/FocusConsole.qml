import QtQuick
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Effects
import Quorvane.Shell

// The glass panel of the focus phase: the tracking state, the time left, the round notes and the
// round's controls. Everything shown comes from the controller; every control calls one of its operations.
Item {
    id: console_

    // Shown blurred through the glass: the scene behind the interface.
    property Item backdrop: null

    readonly property var shown: AppController.console.focusConsole
    readonly property real radius: 24 // own shape

    width: 410
    implicitHeight: rows.implicitHeight + 2 * 22

    // The shadow, the glass and the outline change only with the scene behind the panel or with its size
    // and place, while the time above them changes every second: under OpenGL they are one texture, drawn
    // into each new frame as a single picture. It takes in the shadow, which spreads beyond the panel.
    // The software adaptation repaints only what changed, so a texture saves it nothing; and its layer
    // keeps the first picture of a panel made in a window that was resized meanwhile (full screen for a
    // break), so the new round's console showed the scene sharp behind it until the next resize.
    Item {
        id: decoration

        readonly property real shadowSpread: 84
        readonly property real shadowOffset: 14

        x: -shadowSpread
        y: -shadowSpread + shadowOffset
        width: console_.width + 2 * shadowSpread
        height: console_.height + 2 * shadowSpread
        layer.enabled: !GraphicsAdaptation.software

        SoftShadow {
            target: glass
            shapeRadius: console_.radius
            blurRadius: 30
            offsetY: decoration.shadowOffset
            color: Theme.shadow
        }

        GlassPanel {
            id: glass

            objectName: "consoleGlass"
            x: decoration.shadowSpread
            y: decoration.shadowSpread - decoration.shadowOffset
            width: console_.width
            height: console_.height
            backdrop: console_.backdrop
            radius: console_.radius
            tint: Theme.glass
            borderColor: "transparent"
        }

        // The outline fades from the top-left corner to the bottom-right one.
        RoundedGradient {
            anchors.fill: glass
            radius: console_.radius
            strokeWidth: 1
            start: Qt.point(0, 0)
            end: Qt.point(width, height)
            colors: [Theme.highlight, Theme.controlFill]
        }
    }

    ColumnLayout {
        id: rows

        anchors.fill: parent
        anchors.margins: 22
        spacing: 16

        Row {
            id: statusRow

            objectName: "consoleStatus"
            spacing: 6
            Accessible.role: Accessible.StaticText
            Accessible.name: console_.shown.statusTitle
            Accessible.focusable: true
            // A new round's screen is announced by its state taking the focus.
            Component.onCompleted: forceActiveFocus()

            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: console_.shown.statusSymbol
                size: Theme.fontEmphasis
                color: status.color
            }

            Text {
                id: status

                anchors.verticalCenter: parent.verticalCenter
                text: console_.shown.statusTitle
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightEmphasis
                color: Theme.textLead
            }
        }

        RowLayout {
            spacing: 14

            Item {
                Layout.fillWidth: true
                Layout.preferredHeight: time.implicitHeight

                TextDropShadow {
                    textPosition: Qt.point(time.x, time.y)
                    text: time.text
                    font: time.font
                    radius: 18
                    verticalOffset: 7
                    color: Theme.shadow
                    textColor: time.color
                }

                Text {
                    id: time

                    objectName: "consoleTime"
                    Accessible.name: text
                    // A clip of its own makes the text a root of its own for the renderer: the glyphs that
                    // change every second are then batched again alone, not the whole window's.
                    clip: true
                    font.family: Fonts.timerFamily
                    font.pixelSize: Theme.fontDisplay
                    font.weight: Theme.fontWeightTimer
                    color: Theme.foreground

                    // Closed to the tray, the window keeps the time it showed last: laying the text out anew
                    // every second for nobody cost more than the rest of the tick. Shown again, it catches up.
                    Binding on text {
                        when: time.Window.visibility !== Window.Hidden
                        value: AppController.round.formattedTime
                        restoreMode: Binding.RestoreNone
                    }
                }
            }

            SessionNotesEditor {
                Layout.preferredWidth: 178
                Layout.preferredHeight: 72
                compact: true
                label: console_.shown.notesLabel
                placeholder: console_.shown.notesPlaceholder
            }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 1
            color: Theme.separator
        }

        FocusConsoleControls {
            Layout.fillWidth: true
            shown: console_.shown
        }
    }
}
