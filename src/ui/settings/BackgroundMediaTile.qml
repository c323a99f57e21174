import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// One library item in the editor's grid: its thumbnail with the kind badge over a bar with its name,
// the checkmark while it is active and the remove button. A click, or Space or Return on it, makes it
// active; a drag carries it over the other tiles, each of which takes its place as it enters.
ReorderDropTarget {
    id: tile

    required property BackgroundLibraryModel library
    required property string itemId
    required property string name
    required property string placeholderSymbol
    required property string badgeKey
    required property bool isActive
    required property string thumbnail
    required property color accent
    required property string language
    required property string removeHelp
    required property BackgroundTileDragProxy dragProxy
    readonly property alias chooser: chooser

    // The remove button was pressed; `byKeyboard` when the keys had reached it, which then stay in the grid.
    signal removeChosen(bool byKeyboard)

    objectName: "libraryTile_" + itemId
    targetId: itemId
    list: library

    // First, so that Tab reaches the tile before its remove button.
    BackgroundTileChooser {
        id: chooser

        active: tile.isActive
        Accessible.name: tile.name
        Accessible.description: Texts.text(tile.badgeKey, tile.language)
        onClicked: tile.library.select(tile.itemId)
    }

    Rectangle {
        anchors.fill: parent
        radius: Theme.radiusBackgroundTile
        color: tile.isActive ? Theme.accentWash(tile.accent) : Theme.surfaceCard
        clip: true

        BackgroundMediaThumbnail {
            width: parent.width
            height: 92
            source: tile.thumbnail
            placeholderSymbol: tile.placeholderSymbol
            accent: tile.accent
        }

        Rectangle {
            objectName: "kindBadge"
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.margins: 7
            width: badgeRow.implicitWidth + 14
            height: 21
            radius: height / 2
            color: Theme.dialogGlass

            Row {
                id: badgeRow

                anchors.centerIn: parent
                spacing: 5

                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "line.3.horizontal"
                    size: Theme.fontCaption
                    color: Theme.textBody
                }

                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: Texts.text(tile.badgeKey, tile.language)
                    font.pixelSize: Theme.fontMicro
                    font.weight: Theme.fontWeightStrong
                    color: Theme.textBody
                }
            }
        }
    }

    // Under the remove button, which takes its own clicks. It keeps the pointer from the pane's scroll
    // area once a drag has begun.
    MouseArea {
        objectName: "tileArea"
        anchors.fill: parent
        preventStealing: true
        drag.target: tile.dragProxy
        onPressed: tile.dragProxy.placeOver(tile, tile.itemId, tile.thumbnail, tile.placeholderSymbol)
        onPositionChanged: {
            if (drag.active && !tile.dragProxy.dragging)
                tile.dragProxy.start();
        }
        onReleased: tile.dragProxy.finish()
        onCanceled: tile.dragProxy.abandon()
        onClicked: chooser.clicked()
    }

    RowLayout {
        x: 9
        y: 92
        width: parent.width - 18
        height: 34
        spacing: 7

        Text {
            objectName: "tileName"
            Layout.fillWidth: true
            text: tile.name
            textFormat: Text.PlainText
            font.pixelSize: Theme.fontLabel
            font.weight: Theme.fontWeightLabel
            color: Theme.textBright
            maximumLineCount: 1
            elide: Text.ElideMiddle
        }

        SymbolIcon {
            objectName: "activeMark"
            Layout.leftMargin: 4
            visible: tile.isActive
            name: "checkmark.circle.fill"
            size: Theme.fontControl
            color: tile.accent
        }

        TrashButton {
            id: removeButton

            objectName: "removeButton"
            help: tile.removeHelp
            Accessible.name: Texts.named(help, tile.name, tile.language)
            symbolWeight: Theme.fontWeightEmphasis
            onClicked: tile.removeChosen(visualFocus)
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: Theme.radiusBackgroundTile
        color: "transparent"
        border.width: tile.isActive ? 1.5 : 1
        border.color: tile.isActive ? Theme.accentBright(tile.accent) : Theme.outline
    }
}
