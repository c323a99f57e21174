import QtQuick
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The built-in background's tile, first in the library's grid: a click, or Space or Return on it, makes
// it active. It is never dragged and takes no drags. Only its border and checkmark show that it is active.
Item {
    id: tile

    required property BackgroundLibraryModel library
    required property color accent
    required property string title
    readonly property alias chooser: chooser

    objectName: "builtInTile"

    BackgroundTileChooser {
        id: chooser

        active: tile.library.builtInActive
        Accessible.name: tile.title
        onClicked: tile.library.selectDefault()
    }

    Rectangle {
        anchors.fill: parent
        radius: Theme.radiusBackgroundTile
        color: Theme.surfaceCard
        clip: true

        BackgroundMediaView {
            width: parent.width
            height: 92
            url: tile.library.builtInUrl
            videoAudioTakesPriority: false
        }
    }

    RowLayout {
        x: 9
        y: 92
        width: parent.width - 18
        height: 34
        spacing: 7

        SymbolIcon {
            name: "leaf.fill"
            size: Theme.fontBody
            color: tile.accent
        }

        Text {
            Layout.fillWidth: true
            text: tile.title
            font.pixelSize: Theme.fontLabel
            font.weight: Theme.fontWeightLabel
            color: Theme.textBright
            maximumLineCount: 1
            elide: Text.ElideRight
        }

        SymbolIcon {
            objectName: "activeMark"
            visible: tile.library.builtInActive
            name: "checkmark.circle.fill"
            size: Theme.fontControl
            color: tile.accent
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: Theme.radiusBackgroundTile
        color: "transparent"
        border.width: tile.library.builtInActive ? 1.5 : 1
        border.color: tile.library.builtInActive ? Theme.accentBright(tile.accent)
                                                 : Theme.outline
    }
}
