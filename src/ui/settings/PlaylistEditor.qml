pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The card that edits one playlist of the working copy: the header with its switch, the playback mode,
// the count and the add button, and the list of tracks, which also takes files dropped from a file
// manager. A playlist that is off is dimmed but stays editable. The dragged row's proxy lies beside the
// card, so that wherever it is left the card keeps its height.
Item {
    id: editor

    required property string title
    required property string subtitle
    required property string emptyMessage
    required property PlaylistModel playlist
    required property color accent
    required property string language

    readonly property color secondary: Theme.textSecondary

    implicitHeight: card.implicitHeight
    opacity: playlist.cardOpacity

    SettingsCard {
        id: card

        width: editor.width

        Column {
            id: content

            width: parent.width
            spacing: 15

            RowLayout {
                width: parent.width
                spacing: 14

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 3

                    Text {
                        objectName: "playlistTitle"
                        Layout.fillWidth: true
                        text: editor.title
                        font.pixelSize: Theme.fontSubheading
                        font.weight: Theme.fontWeightEmphasis
                        color: Theme.textBright
                        wrapMode: Text.Wrap
                        Accessible.name: text
                    }

                    Text {
                        objectName: "playlistSubtitle"
                        Layout.fillWidth: true
                        text: editor.subtitle
                        font.pixelSize: Theme.fontLabel
                        color: editor.secondary
                        wrapMode: Text.Wrap
                        Accessible.name: text
                    }
                }

                SettingsSwitch {
                    objectName: "playlistSwitch"
                    accent: editor.accent
                    Accessible.name: editor.title
                    checked: editor.playlist.isEnabled
                    onToggled: editor.playlist.setEnabled(checked)
                }
            }

            RowLayout {
                width: parent.width
                spacing: 12

                // Below two tracks there is nothing to order, but the stored mode still shows.
                Row {
                    objectName: "modePicker"
                    Layout.preferredWidth: 245
                    Accessible.name: Texts.text("播放方式", editor.language)

                    Repeater {
                        model: editor.playlist.modes

                        delegate: SettingsButton {
                            id: segment

                            required property var modelData

                            objectName: "mode_" + modelData.mode
                            width: 122.5
                            enabled: editor.playlist.modeEnabled
                            checkable: true
                            autoExclusive: true
                            checked: editor.playlist.playbackMode === modelData.mode
                            prominent: checked
                            tint: editor.accent
                            text: modelData.title
                            Accessible.name: Texts.named(text, editor.title, editor.language)
                            onClicked: editor.playlist.setPlaybackMode(modelData.mode)

                            contentItem: ButtonSymbolLabel {
                                symbol: segment.modelData.symbol
                                text: segment.modelData.title
                                font: segment.font
                                spacing: 6
                                color: segment.prominent ? Theme.textOnAccent : Theme.textPrimary
                                opacity: segment.enabled ? 1 : Theme.opacityDisabledSoft
                            }
                        }
                    }
                }

                Item {
                    Layout.fillWidth: true
                }

                Text {
                    objectName: "trackCount"
                    text: editor.playlist.countText
                    font.pixelSize: Theme.fontLabel
                    font.weight: Theme.fontWeightLabel
                    color: editor.secondary
                    Accessible.name: text
                }

                SettingsButton {
                    id: addButton

                    objectName: "addMusicButton"
                    text: Texts.text("添加音乐", editor.language)
                    Accessible.name: Texts.named(text, editor.title, editor.language)
                    onClicked: editor.playlist.addFromPanel()

                    contentItem: ButtonSymbolLabel {
                        symbol: "plus"
                        text: addButton.text
                        font: addButton.font
                        spacing: 6
                        color: Theme.textPrimary
                    }
                }
            }

            // Files dragged in from a file manager are taken anywhere over the list, rows included.
            DropArea {
                id: fileDrop

                objectName: "trackDropArea"
                width: parent.width
                height: tracks.height + 20
                keys: ["text/uri-list"]
                // The files are copied, whatever the source proposed: a file manager told of a move would
                // delete the user's own file.
                onDropped: drop => {
                    if (editor.playlist.dropUrls(drop.urls))
                        drop.accept(Qt.CopyAction);
                    else
                        drop.accepted = false;
                }

                Rectangle {
                    anchors.fill: parent
                    radius: 13 // own shape
                    color: fileDrop.containsDrag ? Theme.accentWash(editor.accent)
                                                 : Theme.wellShade
                    border.width: fileDrop.containsDrag ? 0 : 1
                    border.color: Theme.outlineFaint
                }

                DashedOutline {
                    objectName: "trackDropOutline"
                    visible: fileDrop.containsDrag
                    radius: 13 // own shape
                    color: Theme.accentMarkSoft(editor.accent)
                    dashPattern: [5, 4]
                }

                Column {
                    id: tracks

                    x: 10
                    y: 10
                    width: parent.width - 20
                    spacing: 7

                    // Rows slide only while one is dragged through the list: a removal or an addition settles
                    // at once.
                    move: Transition {
                        enabled: ghost.dragging

                        NumberAnimation {
                            properties: "y"
                            duration: Theme.durationSelection
                            easing.type: Easing.InOutQuad
                        }
                    }

                    Item {
                        objectName: "emptyState"
                        visible: editor.playlist.isEmpty
                        width: parent.width
                        height: 96

                        Column {
                            anchors.centerIn: parent
                            width: parent.width
                            spacing: 8

                            SymbolIcon {
                                anchors.horizontalCenter: parent.horizontalCenter
                                name: "music.note.list"
                                size: Theme.symbolLarge
                                color: Theme.accentMark(editor.accent)
                            }

                            Text {
                                objectName: "emptyMessage"
                                width: parent.width
                                text: editor.emptyMessage
                                font.pixelSize: Theme.fontBody
                                font.weight: Theme.fontWeightLabel
                                color: editor.secondary
                                horizontalAlignment: Text.AlignHCenter
                                wrapMode: Text.Wrap
                                Accessible.name: text
                            }
                        }
                    }

                    Repeater {
                        model: editor.playlist

                        delegate: PlaylistTrackRow {
                            width: tracks.width
                            playlist: editor.playlist
                            accent: editor.accent
                            language: editor.language
                            dragProxy: ghost
                        }
                    }
                }
            }
        }
    }

    TrackDragProxy {
        id: ghost

        accent: editor.accent
        playlist: editor.playlist
    }
}
