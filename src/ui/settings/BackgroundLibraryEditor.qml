pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The background library card at the head of the appearance pane: the header with the count and the
// import buttons, the grid of tiles (the built-in background first, then the library in rotation
// order), which takes dropped files and reorders by drag, and the rotate-each-round row. It edits the
// sheet's working copy through the session's library model.
Item {
    id: editor

    required property SettingsSession session
    readonly property BackgroundLibraryModel library: session.backgroundLibrary
    readonly property color accent: session.accent

    // Only the tiles' own drags carry this key, so a text or file dragged in from elsewhere never
    // reorders anything.
    readonly property var tileDragKeys: ["application/x-quorvane-background-tile"]
    readonly property real tileWidth: (card.width - 36 - 2 * 10 - 2 * 10) / 3
    readonly property real tileHeight: 92 + 34

    objectName: "backgroundLibraryEditor"
    implicitHeight: card.implicitHeight

    function pair(chinese, english) {
        return Texts.L(chinese, english, editor.session.language);
    }

    // A keyboard user who removes a tile keeps the keys in the grid: on the tile that takes its place,
    // else on the one before it.
    function remove(index, byKeyboard) {
        editor.library.remove((tiles.itemAt(index) as BackgroundMediaTile).itemId);
        if (!byKeyboard)
            return;
        const next = index < tiles.count ? tiles.itemAt(index) : index > 0 ? tiles.itemAt(index - 1) : null;
        ((next as BackgroundMediaTile)?.chooser ?? builtInTile.chooser).forceActiveFocus(Qt.TabFocusReason);
    }

    SettingsCard {
        id: card

        width: editor.width

        Column {
            width: parent.width
            spacing: 16

            RowLayout {
                width: parent.width
                spacing: 14

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 3

                    Text {
                        objectName: "libraryTitle"
                        Layout.fillWidth: true
                        text: editor.pair("背景图库", "Background Library")
                        font.pixelSize: Theme.fontSubheading
                        font.weight: Theme.fontWeightEmphasis
                        color: Theme.textBright
                        elide: Text.ElideRight
                        Accessible.name: text
                    }

                    Text {
                        Layout.fillWidth: true
                        text: editor.pair("点击切换 · 拖动排序 · 专属文件夹新增内容会在下次打开设置时载入",
                                          "Click to switch · Drag to reorder · Folder additions load the next time Settings opens")
                        font.pixelSize: Theme.fontLabel
                        color: Theme.textSecondary
                        wrapMode: Text.Wrap
                        Accessible.name: text
                    }
                }

                Rectangle {
                    implicitWidth: countLabel.implicitWidth + 18
                    implicitHeight: 24
                    radius: 12 // own shape
                    color: Theme.controlFill

                    Text {
                        id: countLabel

                        objectName: "libraryCount"
                        anchors.centerIn: parent
                        text: editor.library.countText
                        font.pixelSize: Theme.fontSmall
                        font.weight: Theme.fontWeightEmphasis
                        color: Theme.textSecondary
                        Accessible.name: text
                    }
                }

                SettingsButton {
                    id: addButton

                    objectName: "addMediaButton"
                    enabled: editor.library.canAdd
                    opacity: enabled ? 1 : Theme.opacityDisabled
                    leftPadding: 12
                    rightPadding: 12
                    text: editor.pair("添加媒体", "Add Media")
                    contentItem: ButtonSymbolLabel {
                        symbol: "plus"
                        text: addButton.text
                        color: Theme.textPrimary
                        font: addButton.font
                        spacing: 6
                    }
                    onClicked: editor.library.addMedia()
                }

                SettingsButton {
                    objectName: "libraryFolderButton"
                    leftPadding: 10
                    rightPadding: 10
                    implicitWidth: 40
                    Accessible.name: ToolTip.text
                    ToolTip.visible: hovered || visualFocus
                    ToolTip.delay: 700
                    ToolTip.text: editor.pair("打开专属图库文件夹", "Open the dedicated library folder")
                    contentItem: SymbolIcon {
                        name: "folder"
                        size: Theme.fontEmphasis
                        color: Theme.textPrimary
                    }
                    onClicked: editor.library.openFolder()
                }
            }

            // Files dragged in from a file manager are taken anywhere over the grid, tiles included.
            DropArea {
                id: fileDrop

                objectName: "libraryDropArea"
                width: parent.width
                height: grid.height + 20
                keys: ["text/uri-list"]
                // The files are copied, whatever the source proposed: a file manager told of a move would
                // delete the user's own file.
                onDropped: drop => {
                    if (editor.library.dropUrls(drop.urls))
                        drop.accept(Qt.CopyAction);
                    else
                        drop.accepted = false;
                }

                Rectangle {
                    objectName: "libraryGridBackground"
                    anchors.fill: parent
                    radius: 14 // own shape
                    color: fileDrop.containsDrag ? Theme.accentWash(editor.accent)
                                                 : Theme.wellShade
                    border.width: fileDrop.containsDrag ? 0 : 1
                    border.color: Theme.outlineFaint
                }

                DashedOutline {
                    objectName: "libraryDropOutline"
                    visible: fileDrop.containsDrag
                    radius: 14 // own shape
                    color: Theme.accentMarkStrong(editor.accent)
                    dashPattern: [5, 4]
                }

                Grid {
                    id: grid

                    x: 10
                    y: 10
                    columns: 3
                    spacing: 10

                    // Tiles slide only while one is dragged through the grid: a removal or an addition settles
                    // at once.
                    move: Transition {
                        enabled: ghost.dragging

                        NumberAnimation {
                            properties: "x,y"
                            duration: Theme.durationSelection
                            easing.type: Easing.InOutQuad
                        }
                    }

                    BuiltInBackgroundTile {
                        id: builtInTile

                        width: editor.tileWidth
                        height: editor.tileHeight
                        library: editor.library
                        accent: editor.accent
                        title: editor.pair("内置森林", "Built-in Forest")
                    }

                    Repeater {
                        id: tiles

                        model: editor.library

                        delegate: BackgroundMediaTile {
                            required property int index

                            width: editor.tileWidth
                            height: editor.tileHeight
                            library: editor.library
                            accent: editor.accent
                            language: editor.session.language
                            keys: editor.tileDragKeys
                            dragProxy: ghost
                            removeHelp: editor.pair("从图库删除；保存后移除专属文件夹中的文件",
                                                    "Remove from the library and delete its file from the dedicated folder after saving")
                            onRemoveChosen: byKeyboard => editor.remove(index, byKeyboard)
                        }
                    }
                }
            }

            RowLayout {
                objectName: "rotateRow"
                width: parent.width
                spacing: 11
                opacity: editor.library.rotateRowOpacity

                SymbolIcon {
                    Layout.preferredWidth: 20
                    name: "arrow.triangle.2.circlepath"
                    size: Theme.fontSubheading
                    color: editor.library.rotateSymbolColor
                }

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 3

                    Text {
                        Layout.fillWidth: true
                        text: editor.pair("每轮自动换背景", "Rotate Each Round")
                        font.pixelSize: Theme.fontControl
                        font.weight: Theme.fontWeightEmphasis
                        color: Theme.textBright
                        wrapMode: Text.Wrap
                        Accessible.name: text
                    }

                    Text {
                        Layout.fillWidth: true
                        text: editor.pair("完成休息、开始下一轮专注时，按图库顺序切换",
                                          "Moves to the next library item after a break, when the next focus round begins")
                        font.pixelSize: Theme.fontLabel
                        color: Theme.textSecondary
                        wrapMode: Text.Wrap
                        Accessible.name: text
                    }
                }

                SettingsSwitch {
                    objectName: "rotateSwitch"
                    accent: editor.session.accent
                    Accessible.name: editor.pair("每轮自动换背景", "Rotate Each Round")
                    checked: editor.library.rotatesEachRound
                    enabled: editor.library.canRotate
                    onToggled: editor.library.setRotatesEachRound(checked)
                }
            }
        }
    }

    // What follows the pointer while a tile is dragged. The tile itself stays in the grid and moves
    // to each place the drag enters, so the grid always shows where the drop will leave it.
    BackgroundTileDragProxy {
        id: ghost

        width: editor.tileWidth
        height: 92
        accent: editor.accent
        library: editor.library
        Drag.keys: editor.tileDragKeys
    }
}
