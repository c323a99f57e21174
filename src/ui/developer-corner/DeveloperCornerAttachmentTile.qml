import QtQuick
import QtQuick.Templates as T
import Quorvane.Common
import Quorvane.DeveloperCorner

// One attached image: its preview cropped to the tile, or a picture symbol when it has none, with a
// small button in the corner that removes it.
Item {
    id: tile

    required property string imageId
    required property string name
    required property bool hasPreview

    signal removed

    implicitWidth: 94
    implicitHeight: 68
    Accessible.name: name

    Rectangle {
        anchors.fill: parent
        radius: 10 // own shape
        color: Theme.inputShade
        clip: true

        Image {
            objectName: "attachmentPreview"
            anchors.fill: parent
            visible: tile.hasPreview
            source: tile.hasPreview ? FeedbackPreviews.source(tile.imageId) : ""
            fillMode: Image.PreserveAspectCrop
            cache: false
        }

        SymbolIcon {
            objectName: "attachmentPlaceholder"
            anchors.centerIn: parent
            visible: !tile.hasPreview
            name: "photo"
            size: Theme.symbolLarge
            color: Theme.textDescription
        }
    }

    T.Button {
        objectName: "removeAttachment"
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.margins: 4
        implicitWidth: 18
        implicitHeight: 18
        onClicked: tile.removed()
        Accessible.onPressAction: if (enabled) clicked()

        contentItem: SymbolIcon {
            name: "xmark"
            size: Theme.fontCaption
            font.weight: Theme.fontWeightStrong
            color: Theme.textBright
        }

        background: Rectangle {
            radius: 9 // own shape
            color: Theme.shadeStrong
        }

        FocusRing {
            cornerRadius: 9
        }
    }
}
