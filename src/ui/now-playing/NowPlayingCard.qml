pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Effects
import Quorvane.NowPlaying

// The small glass panel of the music that plays: the track, its place in the playlist, the transport,
// the playback mode, repeat-one, a seek strip and the music volume. It shows while the player has a
// record, coming in and going out over 250 ms, from the host's bottom edge or by scale; a host whose
// place is laid out should hide the place with the card (presence 0).
// Everything it shows is the seek state's presentation of the controller's record; every control calls
// one of the controller's operations.
Item {
    id: card

    required width
    // Shown blurred through the glass; none: the tint alone.
    property Item backdrop: null
    // "bottom": it slides in from the host's bottom edge, this far below its place; "scale": from 0.97.
    property string entrance: "bottom"
    property real entranceDistance: height
    // Whether the host wants the card now; it still shows only while music plays.
    property bool hostShows: true

    readonly property bool hasRecord: AppController.music.nowPlaying !== undefined
    readonly property var shown: seekState.presentation
    readonly property color accent: Theme.accent
    readonly property real radius: 18 // own shape
    property real presence: hasRecord && hostShows ? 1 : 0

    Behavior on presence {
        NumberAnimation {
            duration: Theme.durationPresence
            easing.type: Easing.InOutQuad
        }
    }

    height: 104
    opacity: presence
    visible: presence > 0
    scale: entrance === "scale" ? 0.97 + 0.03 * presence : 1
    transform: Translate {
        y: card.entrance === "bottom" ? (1 - card.presence) * card.entranceDistance : 0
    }
    Accessible.role: Accessible.Grouping
    Accessible.name: shown.summary

    NowPlayingSeekState {
        id: seekState

        objectName: "nowPlayingSeekState"
        english: AppController.english
        volume: AppController.music.volume
        accent: card.accent
        width: card.width
        barWidth: strip.width
        progressIsHovered: hover.hovered
        onSeekRequested: fraction => AppController.music.seek(fraction)
    }

    // A card on its way out keeps the last record it showed.
    Binding {
        target: seekState
        property: "info"
        when: card.hasRecord
        value: AppController.music.nowPlaying
        restoreMode: Binding.RestoreNone
    }

    component CardButton: AbstractButton {
        id: button

        required property var look

        implicitWidth: 22
        implicitHeight: 22
        enabled: look.enabled
        checkable: look.checkable
        checked: look.checked
        // A click shows the state the player then has, not the one the click made.
        onClicked: if (checkable) checked = Qt.binding(() => button.look.checked)
        Accessible.name: look.label
        Accessible.description: look.value
        Accessible.onPressAction: if (enabled) clicked()
        Accessible.onToggleAction: if (enabled) clicked()

        background: Rectangle {
            radius: width / 2
            color: button.look.fill
            border.width: 1
            border.color: button.look.stroke
        }

        // The embedded symbols leave a margin inside their square: at 9 the one of "repeat.1" cannot be
        // told from "repeat"; at 12 they read as the system's 9-point symbols do.
        contentItem: SymbolIcon {
            objectName: "symbol"
            name: button.look.symbol
            size: Theme.fontLabel
            font.weight: Theme.fontWeightEmphasis
            color: button.look.symbolColor
        }

        FocusRing {
            cornerRadius: width / 2
        }

        InstantTooltip {
            title: button.look.tooltipTitle
            detail: button.look.tooltipDetail
            accent: card.accent
            placement: "bottomTrailing"
        }
    }

    component InfoText: Text {
        font.pixelSize: Theme.fontCaption
        font.weight: Theme.fontWeightLabel
        color: Theme.textCaption
    }

    SoftShadow {
        target: glass
        shapeRadius: card.radius
        blurRadius: 22
        offsetY: 10
        color: Theme.glass
    }

    GlassPanel {
        id: glass

        anchors.fill: parent
        backdrop: card.backdrop
        radius: card.radius
        tint: Theme.shadow
        borderColor: "transparent"
    }

    // The outline fades from the top-left corner to the bottom-right one through the accent.
    RoundedGradient {
        anchors.fill: parent
        radius: card.radius
        strokeWidth: 1
        start: Qt.point(0, 0)
        end: Qt.point(width, height)
        colors: [Theme.highlight, Theme.accentTint(card.accent), Theme.controlFill]
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: 12
        spacing: 13

        Item {
            id: artwork

            objectName: "nowPlayingArtwork"
            Layout.preferredWidth: 58
            Layout.preferredHeight: 58
            Layout.alignment: Qt.AlignVCenter

            RoundedGradient {
                anchors.fill: parent
                radius: 13 // own shape
                start: Qt.point(0, 0)
                end: Qt.point(width, height)
                colors: [Theme.accentOutline(card.accent), Theme.shadow]
            }

            Rectangle {
                anchors.fill: parent
                radius: 13 // own shape
                color: "transparent"
                border.width: 1
                border.color: Theme.controlOutline
            }

            // The waveform's glow: its blurred glyph in the tint, painted once, and the glyph once more over
            // it. A glow strengthens the blur near the strokes, hence more than the 0.3 of the glow's colour.
            TextDropShadow {
                textPosition: Qt.point(waveform.x, waveform.y)
                text: waveform.text
                font: waveform.font
                radius: 8
                color: Theme.accentPressed(card.accent)
                textColor: waveform.color
            }

            SymbolIcon {
                id: waveform

                anchors.centerIn: parent
                name: "waveform"
                size: Theme.fontActivityTitle
                font.weight: Theme.fontWeightLabel
                color: card.accent
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 6

            RowLayout {
                objectName: "nowPlayingHeader"
                Layout.fillWidth: true
                spacing: card.shown.headerSpacing

                Item {
                    Layout.preferredWidth: 5
                    Layout.preferredHeight: 5

                    SoftShadow {
                        target: dot
                        shapeRadius: 2.5
                        blurRadius: 5
                        color: Theme.accentBright(card.accent)
                    }

                    Rectangle {
                        id: dot

                        anchors.fill: parent
                        radius: 2.5 // own shape
                        color: card.accent
                    }
                }

                Text {
                    objectName: "nowPlayingStatus"
                    Layout.fillWidth: true
                    Layout.minimumWidth: 0
                    Layout.preferredWidth: implicitWidth
                    Layout.maximumWidth: implicitWidth
                    text: card.shown.statusText
                    font.pixelSize: Theme.fontCaption
                    font.bold: true
                    // Tracked less on the narrow card of the break screens, where the full tracking would
                    // cut "BREAK · PLAYING" even at the smallest size.
                    font.letterSpacing: card.width < 360 ? 0.35 : 0.7
                    color: Theme.textSecondary
                    fontSizeMode: Text.HorizontalFit
                    // Three quarters of its size, to the whole pixel.
                    minimumPixelSize: 8
                    elide: Text.ElideRight
                }

                Item {
                    Layout.fillWidth: true
                    Layout.minimumWidth: 6
                }

                CardButton {
                    objectName: "nowPlayingPrevious"
                    look: card.shown.previous
                    onClicked: AppController.music.skipToPreviousTrack()
                }

                CardButton {
                    objectName: "nowPlayingPlayPause"
                    look: card.shown.playPause
                    onClicked: AppController.music.togglePause()
                }

                CardButton {
                    objectName: "nowPlayingNext"
                    look: card.shown.next
                    onClicked: AppController.music.skipToNextTrack()
                }

                CardButton {
                    objectName: "nowPlayingMode"
                    look: card.shown.mode
                    onClicked: AppController.music.togglePlaybackMode()
                }

                CardButton {
                    objectName: "nowPlayingRepeatOne"
                    look: card.shown.repeatOne
                    onClicked: AppController.music.toggleRepeatCurrentTrack()
                }
            }

            Text {
                objectName: "nowPlayingTitle"
                Layout.fillWidth: true
                text: card.shown.title
                font.pixelSize: Theme.fontControl
                font.weight: Theme.fontWeightEmphasis
                color: Theme.textPrimary
                elide: Text.ElideMiddle
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 6

                InfoText {
                    text: card.shown.positionText
                }

                InfoText {
                    text: card.shown.separator
                }

                InfoText {
                    text: card.shown.modeWord
                }

                InfoText {
                    visible: card.shown.showsExtension
                    text: card.shown.separator
                }

                InfoText {
                    visible: card.shown.showsExtension
                    text: card.shown.fileExtension
                }

                Item {
                    Layout.fillWidth: true
                    Layout.minimumWidth: 5
                }

                // The timer's face: its digits are all one width, so the ticking time keeps the line still.
                InfoText {
                    objectName: "nowPlayingTime"
                    text: card.shown.timeLabel
                    font.family: Fonts.timerFamily
                }
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 10

                // A stop of the keys too, where the arrows seek by ten seconds.
                Control {
                    id: strip

                    objectName: "nowPlayingSeekStrip"
                    Layout.fillWidth: true
                    Layout.preferredHeight: 12
                    focusPolicy: Qt.TabFocus

                    // Read by accessibility as the slider's range, position and step, in seconds.
                    readonly property real minimumValue: 0
                    readonly property real maximumValue: card.shown.lengthSeconds
                    readonly property real value: card.shown.elapsedSeconds
                    readonly property real stepSize: card.shown.seekStepSeconds

                    Keys.onLeftPressed: seekState.decrement()
                    Keys.onDownPressed: seekState.decrement()
                    Keys.onRightPressed: seekState.increment()
                    Keys.onUpPressed: seekState.increment()
                    Accessible.role: Accessible.Slider
                    Accessible.name: card.shown.progressLabel
                    Accessible.description: card.shown.timeLabel
                    Accessible.onIncreaseAction: seekState.increment()
                    Accessible.onDecreaseAction: seekState.decrement()

                    Rectangle {
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width
                        height: card.shown.seekBarHeight
                        radius: height / 2
                        color: card.shown.seekTrackColor
                    }

                    Rectangle {
                        objectName: "nowPlayingSeekFill"
                        anchors.verticalCenter: parent.verticalCenter
                        width: card.shown.fillWidth
                        height: card.shown.seekBarHeight
                        radius: height / 2
                        gradient: Gradient {
                            orientation: Gradient.Horizontal

                            GradientStop {
                                position: 0
                                color: Theme.accentMark(card.accent)
                            }
                            GradientStop {
                                position: 1
                                color: card.accent
                            }
                        }
                    }

                    SoftShadow {
                        target: knob
                        shapeRadius: 4.5
                        blurRadius: 5
                        color: Theme.accentLine(card.accent)
                    }

                    Rectangle {
                        id: knob

                        objectName: "nowPlayingSeekKnob"
                        anchors.verticalCenter: parent.verticalCenter
                        x: card.shown.knobOffset
                        width: 9
                        height: 9
                        radius: 4.5 // own shape
                        visible: card.shown.showsSeekKnob
                        color: card.accent
                        border.width: 1
                        border.color: Theme.textLead
                    }

                    FocusRing {
                        cornerRadius: height / 2
                    }

                    HoverHandler {
                        id: hover
                    }

                    MouseArea {
                        objectName: "nowPlayingSeekArea"
                        anchors.fill: parent
                        preventStealing: true
                        onPressed: mouse => seekState.press(mouse.x)
                        onPositionChanged: mouse => seekState.move(mouse.x)
                        onReleased: mouse => seekState.release(mouse.x)
                        onCanceled: seekState.cancel()
                    }
                }

                Item {
                    objectName: "nowPlayingVolume"
                    Layout.preferredWidth: volumeRow.implicitWidth + 14
                    Layout.preferredHeight: 20
                    Accessible.role: Accessible.Grouping
                    Accessible.name: card.shown.volumeLabel
                    Accessible.description: card.shown.volumeText

                    Rectangle {
                        anchors.fill: parent
                        radius: height / 2
                        color: Theme.controlFill
                        border.width: 1
                        border.color: Theme.outline
                    }

                    Row {
                        id: volumeRow

                        anchors.centerIn: parent
                        spacing: 5

                        SymbolIcon {
                            objectName: "nowPlayingVolumeSymbol"
                            anchors.verticalCenter: parent.verticalCenter
                            width: 13
                            name: card.shown.volumeSymbol
                            size: Theme.fontMicro
                            font.weight: Theme.fontWeightEmphasis
                            color: card.shown.volumeSymbolColor
                        }

                        Slider {
                            id: volumeSlider

                            objectName: "nowPlayingVolumeSlider"
                            anchors.verticalCenter: parent.verticalCenter
                            width: 62
                            height: 14
                            padding: 0
                            from: 0
                            to: 1
                            value: AppController.music.volume
                            onMoved: AppController.music.setVolume(value)
                            // Qt Quick's accessibility reads a slider's range from these names.
                            readonly property real minimumValue: from
                            readonly property real maximumValue: to
                            // Read in per cents, as the volume is spoken everywhere else.
                            readonly property bool valueInPercent: true
                            Accessible.name: card.shown.volumeLabel
                            Accessible.onIncreaseAction: { increase(); moved(); }
                            Accessible.onDecreaseAction: { decrease(); moved(); }

                            background: Item {
                                x: volumeSlider.leftPadding
                                y: volumeSlider.topPadding + (volumeSlider.availableHeight - height) / 2
                                width: volumeSlider.availableWidth
                                height: 3

                                Rectangle {
                                    anchors.fill: parent
                                    radius: height / 2
                                    color: Theme.highlight
                                }

                                Rectangle {
                                    width: volumeSlider.visualPosition * parent.width
                                    height: parent.height
                                    radius: height / 2
                                    color: card.accent
                                }
                            }

                            handle: Rectangle {
                                x: volumeSlider.leftPadding + volumeSlider.visualPosition * (volumeSlider.availableWidth - width)
                                y: volumeSlider.topPadding + (volumeSlider.availableHeight - height) / 2
                                width: 10
                                height: 10
                                radius: 5 // own shape
                                color: volumeSlider.pressed ? Theme.knobPressed : Theme.knob
                                border.width: 1
                                border.color: Theme.accentRule(card.accent)
                            }

                            FocusRing {
                                cornerRadius: 7
                            }
                        }
                    }
                }
            }
        }
    }
}
