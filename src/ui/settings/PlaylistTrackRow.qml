import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// One track of a playlist editor: the handle, its symbol, the name field, the capsule while the player
// is on it, the file's extension and the remove button. Pressing anywhere but the field and the button
// drags the row over the others, each of which takes its place as it enters.
ReorderDropTarget {
    id: row

    required property int index
    required property PlaylistModel playlist
    required property string trackId
    required property string name
    required property string extension
    required property bool current
    required property string symbol
    required property string statusText
    required property color accent
    required property string language
    required property TrackDragProxy dragProxy

    readonly property color secondary: Theme.textSecondary

    objectName: "trackRow_" + trackId
    targetId: trackId
    list: playlist
    keys: [playlist.rowDragKey]
    height: 42

    Rectangle {
        objectName: "trackRowBackground"
        anchors.fill: parent
        radius: Theme.radiusTrackRow
        color: row.current ? Theme.accentWash(row.accent) : Theme.surfaceCard
        border.width: 1
        border.color: row.current ? Theme.accentBorder(row.accent) : "transparent"

        Behavior on color {
            ColorAnimation { duration: Theme.durationSelection; easing.type: Easing.OutQuad }
        }
        Behavior on border.color {
            ColorAnimation { duration: Theme.durationSelection; easing.type: Easing.OutQuad }
        }
    }

    // Under the field and the button, which take their own presses. It keeps the pointer from the
    // pane's scroll area once a drag has begun.
    MouseArea {
        objectName: "trackDragArea"
        anchors.fill: parent
        preventStealing: true
        drag.target: row.dragProxy
        onPressed: row.dragProxy.placeOver(row, row.trackId, row.name)
        onPositionChanged: {
            if (drag.active && !row.dragProxy.dragging)
                row.dragProxy.start();
        }
        onReleased: row.dragProxy.finish()
        onCanceled: row.dragProxy.abandon()
    }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 11
        anchors.rightMargin: 11
        spacing: 10

        SymbolIcon {
            Layout.preferredWidth: 18
            name: "line.3.horizontal"
            size: Theme.fontBody
            font.weight: Theme.fontWeightEmphasis
            color: row.current ? Theme.accentPressed(row.accent) : row.secondary
        }

        SymbolIcon {
            objectName: "trackSymbol"
            Layout.preferredWidth: 20
            name: row.symbol
            size: Theme.fontSubheading
            color: row.accent
        }

        TextField {
            id: nameField

            objectName: "trackName"
            // Named by its place, as its neighbours hold names alike.
            Accessible.name: Texts.named(placeholderText, String(row.index + 1), row.language)
            Layout.fillWidth: true
            placeholderText: Texts.text("音乐名称", row.language)
            placeholderTextColor: Theme.textFaint
            font.pixelSize: Theme.fontBody
            font.weight: Theme.fontWeightLabel
            // A name the user typed: Latin face first, whatever the interface's language.
            font.family: Fonts.nameFamily
            color: Theme.textBright
            selectByMouse: true
            leftPadding: 0
            rightPadding: 0
            background: null
            onTextEdited: row.playlist.rename(row.index, text)

            // The field has no frame of its own: the ring marks it when the keyboard reaches it.
            FocusRing {
                cornerRadius: 4
            }

            // While the user types, the field keeps its own text; it is not emptied when focus comes.
            Binding on text {
                when: !nameField.activeFocus
                value: row.name
                restoreMode: Binding.RestoreNone
            }
        }

        Rectangle {
            id: capsule

            objectName: "statusCapsule"
            Layout.preferredWidth: capsuleRow.implicitWidth + 14
            Layout.preferredHeight: 21
            visible: opacity > 0
            opacity: row.current ? 1 : 0
            scale: row.current ? 1 : 0.96
            radius: height / 2
            color: Theme.accentTint(row.accent)

            Behavior on opacity {
                NumberAnimation { duration: Theme.durationSelection; easing.type: Easing.OutQuad }
            }
            Behavior on scale {
                NumberAnimation { duration: Theme.durationSelection; easing.type: Easing.OutQuad }
            }

            Row {
                id: capsuleRow

                anchors.centerIn: parent
                spacing: 5

                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 5
                    height: 5
                    radius: 2.5 // own shape
                    color: row.accent

                    // The dot's glow.
                    Rectangle {
                        z: -1
                        anchors.centerIn: parent
                        width: 11
                        height: 11
                        radius: 5.5 // own shape
                        color: Theme.accentBorder(row.accent)
                    }
                }

                Text {
                    objectName: "statusText"
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.statusText
                    font.pixelSize: Theme.fontSmall
                    font.weight: Theme.fontWeightEmphasis
                    color: row.accent
                }
            }
        }

        Rectangle {
            objectName: "extensionBadge"
            Layout.preferredWidth: badgeText.implicitWidth + 12
            Layout.preferredHeight: 20
            radius: height / 2
            color: Theme.controlFill

            Text {
                id: badgeText

                anchors.centerIn: parent
                text: row.extension
                font.pixelSize: Theme.fontCaption
                font.weight: Theme.fontWeightEmphasis
                color: row.secondary
            }
        }

        TrashButton {
            objectName: "removeTrackButton"
            help: Texts.text("从列表移除；保存后删除本地副本", row.language)
            Accessible.name: Texts.named(help, row.name, row.language)
            symbolSize: Theme.fontBody
            onClicked: row.playlist.remove(row.index)
        }
    }
}
