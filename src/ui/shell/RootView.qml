import QtQuick
import Quorvane.Common
import Quorvane.Effects
import Quorvane.NowPlaying
import Quorvane.Shell

// The whole content of the main window, back to front: the background, the darkening overlay, the
// screen of the current phase with the header bar, and the alert; the sheets open in
// windows of their own.
Item {
    id: root

    // Shared with the controls that hide and restore the focus interface.
    readonly property alias interfaceState: interfaceState
    // Where the controls' instant tooltips draw their bubble.
    readonly property alias tooltipLayer: tooltipLayer

    FocusInterfaceState {
        id: interfaceState

        phase: AppController.round.phase
    }

    // What lies behind the interface as the user sees it: the background under its overlay. The glass
    // panels blur this, so that the overlay darkens them as it darkens the scene around them.
    Item {
        id: scene

        objectName: "scene"
        anchors.fill: parent

        // For the glass panels, which blur a capture of it taken again on this signal.
        signal contentChanged()

        // The darkening over the background: black of this opacity, and black running from top to bottom
        // through these opacities, evenly spaced. A video background darkens its frames itself as they are
        // decoded, so that the window does not draw two veils over the whole video with every frame.
        readonly property real shadeOpacity: AppController.appearance.backgroundOverlayEnabled
            ? AppController.appearance.overlayOpacity : 0
        readonly property list<real> gradientStops: [0.12, 0, 0.3]
        property bool backgroundShadesItself: false
        // For the glass panels' capture: the scene is nothing but the video's frames as they are drawn.
        readonly property bool showsFramesOnly: backgroundShadesItself

        Item {
            id: backgroundLayer

            objectName: "backgroundLayer"
            anchors.fill: parent

            // Unbound components, as Qt 6.4's Loader needs them in this file (it makes no bound one):
            // the QML tools of 6.4 do not follow them to the file's ids.
            // qmllint disable unqualified
            // One view per background: a new path builds a new view, so a new video starts afresh,
            // while other changes of the settings reach the running one.
            Repeater {
                model: [AppController.appearance.backgroundIdentity]

                delegate: BackgroundMediaView {
                    width: backgroundLayer.width
                    height: backgroundLayer.height
                    url: AppController.appearance.backgroundURL
                    videoAudioTakesPriority: AppController.appearance.videoAudioTakesPriority
                    shadeOpacity: scene.shadeOpacity
                    shadeGradient: scene.gradientStops.map(stop => stop * overlayGradient.opacity)
                    onContentChanged: scene.contentChanged()
                    onShadedChanged: scene.backgroundShadesItself = shaded
                    Component.onCompleted: scene.contentChanged()
                    Component.onDestruction: scene.backgroundShadesItself = false
                }
            }
            // qmllint enable unqualified
        }

        Rectangle {
            objectName: "overlayShade"
            anchors.fill: parent
            visible: AppController.appearance.backgroundOverlayEnabled && !scene.backgroundShadesItself
            color: Theme.backdropBase
            opacity: scene.shadeOpacity
            onVisibleChanged: scene.contentChanged()
            onOpacityChanged: scene.contentChanged()
        }

        Rectangle {
            id: overlayGradient

            objectName: "overlayGradient"
            anchors.fill: parent
            opacity: AppController.appearance.backgroundOverlayEnabled ? 1 : 0
            visible: (opacity > 0 || AppController.appearance.backgroundOverlayEnabled) && !scene.backgroundShadesItself
            onOpacityChanged: scene.contentChanged()
            onVisibleChanged: scene.contentChanged()

            gradient: Gradient {
                GradientStop {
                    position: 0
                    color: Theme.shade(scene.gradientStops[0])
                }
                GradientStop {
                    position: 0.5
                    color: Theme.shade(scene.gradientStops[1])
                }
                GradientStop {
                    position: 1
                    color: Theme.shade(scene.gradientStops[2])
                }
            }

            Behavior on opacity {
                NumberAnimation {
                    duration: Theme.durationOverlay
                    easing.type: Easing.InOutQuad
                }
            }
        }
    }

    // A still picture, its overlay and gradient draw as one texture, made again only when one of them
    // changes, and copied into every frame; a playing video would remake it every frame, so it draws as is.
    // The software adaptation draws only what changed, so there the scene draws itself.
    ShaderEffectSource {
        id: sceneTexture

        readonly property bool wanted: !GraphicsAdaptation.software
            && !MediaTypes.isVideo(AppController.appearance.backgroundURL)

        width: scene.width
        height: scene.height
        visible: false
        sourceItem: wanted ? scene : null
        hideSource: wanted
    }

    OpaqueLayerView {
        objectName: "sceneTexture"
        anchors.fill: parent
        visible: sceneTexture.wanted
        source: sceneTexture
    }

    // What the user hides with the corner controls: invisible, deaf to clicks and absent from
    // accessibility while hidden.
    Item {
        id: interfaceLayer

        objectName: "interfaceLayer"
        anchors.fill: parent
        opacity: interfaceState.isEffectivelyHidden ? 0 : 1
        visible: opacity > 0 || !interfaceState.isEffectivelyHidden
        enabled: !interfaceState.isEffectivelyHidden
        Accessible.ignored: interfaceState.isEffectivelyHidden

        Item {
            id: phaseScreen

            objectName: "phaseScreen"
            anchors.fill: parent

            // Unbound components, as Qt 6.4's Loader needs them in this file (it makes no bound one):
            // the QML tools of 6.4 do not follow them to the file's ids.
            // qmllint disable unqualified
            Loader {
                anchors.fill: parent
                active: AppController.round.phase === SessionPhase.Focus
                sourceComponent: FocusSessionView {
                    backdrop: scene
                }
            }

            Loader {
                anchors.fill: parent
                active: AppController.round.phase === SessionPhase.SessionComplete
                sourceComponent: SessionCompleteView {
                    backdrop: scene
                    reservedTop: headerBar.y + headerBar.height
                }
            }

            // One break screen from the wheel to the end of the activity, so it appears only once.
            Loader {
                anchors.fill: parent
                active: AppController.round.phase === SessionPhase.Wheel || AppController.round.phase === SessionPhase.Activity
                sourceComponent: BreakWheelView {
                    objectName: "breakWheelView"
                    reduceMotion: AppController.appearance.reduceMotion
                    card: breakNowPlaying.cardShows
                          ? Qt.rect(breakNowPlaying.x, breakNowPlaying.y, breakNowPlaying.width, breakNowPlaying.height)
                          : Qt.rect(0, 0, 0, 0)
                }
            }
            // qmllint enable unqualified
        }

        Item {
            id: headerBar

            objectName: "headerBar"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.leftMargin: 32
            anchors.rightMargin: 32
            anchors.topMargin: 22
            height: header.implicitHeight

            HeaderBar {
                id: header

                anchors.fill: parent
            }
        }

        Behavior on opacity {
            NumberAnimation {
                duration: Theme.durationFade
                easing.type: Easing.InOutQuad
            }
        }
    }

    // Unbound components, as Qt 6.4's Loader needs them in this file (it makes no bound one):
    // the QML tools of 6.4 do not follow them to the file's ids.
    // qmllint disable unqualified
    // The break screens' now-playing card, at the bottom left; the focus and round-complete screens show
    // their own. Outside the break phases no card exists here, except while one comes in or goes out:
    // a card that a phase change brings starts hidden, and a card is kept until it has faded, so that it
    // moves and fades like the others. One there from the start shows at once, as theirs do.
    Loader {
        id: breakNowPlaying

        readonly property bool wanted: AppController.round.phase === SessionPhase.Wheel || AppController.round.phase === SessionPhase.Activity
        property bool viewStands: false
        // Kept by the card itself rather than read from `item`, which the loader's own `active` changes.
        property bool cardShows: false

        objectName: "breakNowPlayingPlace"
        x: 32
        y: root.height - 62 - height
        active: wanted || cardShows
        Component.onCompleted: viewStands = true
        sourceComponent: NowPlayingCard {
            property bool created: false

            objectName: "breakNowPlayingCard"
            width: 320
            backdrop: scene
            entranceDistance: height + 62
            hostShows: breakNowPlaying.wanted && (created || !breakNowPlaying.viewStands)
            Component.onCompleted: {
                created = true;
                breakNowPlaying.cardShows = presence > 0;
            }
            onPresenceChanged: breakNowPlaying.cardShows = presence > 0
        }
    }
    // qmllint enable unqualified

    // Outside the interface layer: it holds the button that restores the hidden interface.
    FocusCornerControls {
        objectName: "cornerControls"
        anchors.fill: parent
        opacity: AppController.round.phase === SessionPhase.Focus ? 1 : 0
        visible: opacity > 0
        interfaceIsHidden: interfaceState.focusInterfaceIsHidden
        consoleDock: AppController.console.focusConsoleDock
        canNavigateBackgrounds: AppController.appearance.canNavigateBackgrounds
        language: AppController.appearance.language
        onPrevious: AppController.appearance.selectAdjacentBackground(false)
        onNext: AppController.appearance.selectAdjacentBackground(true)
        onToggleInterface: interfaceState.focusInterfaceIsHidden = !interfaceState.focusInterfaceIsHidden

        Behavior on opacity {
            NumberAnimation {
                duration: Theme.durationFade
                easing.type: Easing.InOutQuad
            }
        }
    }

    SheetHost {
        objectName: "sheetHost"
    }

    ControllerAlert {
        objectName: "mainAlert"
        backdrop: scene
    }

    UpdateResultDialog {
        objectName: "updateResult"
        backdrop: scene
    }

    // Above every layer, so that the corner always resizes the window.
    WindowResizeHandle {
        objectName: "resizeHandle"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        width: 36
        height: 36
        Accessible.ignored: true

        HoverHandler {
            cursorShape: Qt.SizeFDiagCursor
        }
    }

    // Last, so that a tooltip's bubble draws above every other item; it takes no input.
    InstantTooltipLayer {
        id: tooltipLayer

        objectName: "tooltipLayer"
        anchors.fill: parent
    }
}
