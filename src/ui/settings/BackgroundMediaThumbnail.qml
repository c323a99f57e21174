import QtQuick
import Quorvane.Common
import Quorvane.Effects

// The picture of a library tile: a placeholder tinted with the accent at once, without touching the
// file, and the cached thumbnail over it once the cache has it. A file that yields no thumbnail keeps
// the placeholder. The host frames and clips the tile.
Item {
    id: thumbnail

    // image://thumbnails/<encoded path>
    required property string source
    required property string placeholderSymbol
    required property color accent

    readonly property bool pictureShown: picture.status === Image.Ready && picture.implicitWidth > 0

    // Painted, not a Shape: the software adaptation draws a Shape's node with no clip at all once the
    // pane's scroll area hides it whole, so the tiles scrolled out of the pane would land on the sheet's
    // header.
    RoundedGradient {
        anchors.fill: parent
        start: Qt.point(0, 0)
        end: Qt.point(width, height)
        colors: [Theme.accentGlow(thumbnail.accent),
                 Theme.glass]
    }

    SymbolIcon {
        objectName: "thumbnailPlaceholder"
        anchors.centerIn: parent
        visible: !thumbnail.pictureShown
        name: thumbnail.placeholderSymbol
        size: Theme.symbolLarge
        font.weight: Theme.fontWeightFigure
        color: Theme.accentPressed(thumbnail.accent)
    }

    // The provider answers on its own threads; the pixmap cache keeps the answer while the tile lives.
    Image {
        id: picture

        objectName: "thumbnailPicture"
        anchors.fill: parent
        visible: thumbnail.pictureShown
        source: thumbnail.source
        fillMode: Image.PreserveAspectCrop
    }
}
