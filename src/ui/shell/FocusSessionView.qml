import QtQuick
import Quorvane.Common
import Quorvane.NowPlaying

// The screen of the focus phase: the console group docked in the bottom corner that the preferences
// name. The group is the console with the place of the now-playing card below it and the place of the
// drag handle straddling its top edge; it moves sideways by dragTranslation while it is dragged or snaps.
Item {
    id: screen

    // Shown blurred through the glass: the scene behind the interface.
    property Item backdrop: null
    // Horizontal offset of the group during a drag or a snap. Only the snap animates it, and its end
    // must not: the animation goes off before the side flips and the offset returns to 0.
    property real dragTranslation: AppController.console.consoleDocking.dragTranslation

    Behavior on dragTranslation {
        enabled: AppController.console.consoleDocking.isSnappingConsole

        NumberAnimation {
            duration: Theme.durationOverlay
            easing.type: Easing.OutCubic
        }
    }

    readonly property real padding: 32
    readonly property bool docksTrailing: AppController.console.focusConsoleDock === "trailing"
    // The distance between the group's two docked positions.
    readonly property real travelDistance: Math.max(width - consoleGroup.width - 2 * padding, 0)

    Item {
        id: consoleGroup

        objectName: "consoleGroup"
        width: console_.width
        height: groupColumn.implicitHeight
        x: (screen.docksTrailing ? screen.width - screen.padding - width : screen.padding) + screen.dragTranslation
        y: screen.height - screen.padding - height

        Column {
            id: groupColumn

            FocusConsole {
                id: console_

                objectName: "focusConsole"
                backdrop: screen.backdrop
            }

            // Right-aligned 12 under the console; it takes no room while no music plays. Its room, the gap
            // included, grows and shrinks with the card's presence, so the console rises and settles
            // smoothly as the card comes and goes.
            Item {
                id: nowPlayingPlace

                objectName: "consoleNowPlayingPlace"
                anchors.right: parent.right
                width: nowPlaying.width
                height: (12 + nowPlaying.height) * nowPlaying.presence
                visible: nowPlaying.presence > 0

                NowPlayingCard {
                    id: nowPlaying

                    objectName: "consoleNowPlayingCard"
                    anchors.bottom: parent.bottom
                    width: 410
                    backdrop: screen.backdrop
                    entranceDistance: height + screen.padding
                }
            }
        }

        // The drag handle goes here, centred on the console's top edge and raised 10 above it.
        Item {
            id: dragHandlePlace

            objectName: "consoleDragHandlePlace"
            anchors.horizontalCenter: parent.horizontalCenter
            y: -10
            width: dragHandle.width
            height: dragHandle.height

            ConsoleDragHandle {
                id: dragHandle

                objectName: "consoleDragHandle"
                travelDistance: screen.travelDistance
                backdrop: screen.backdrop
            }
        }
    }
}
