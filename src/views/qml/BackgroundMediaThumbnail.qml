import QtQuick
import QtQuick.Shapes
import Quorvane

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

    Shape {
        anchors.fill: parent

        ShapePath {
            strokeWidth: -1
            fillGradient: LinearGradient {
                x1: 0
                y1: 0
                x2: thumbnail.width
                y2: thumbnail.height

                GradientStop {
                    position: 0
                    color: Qt.rgba(thumbnail.accent.r, thumbnail.accent.g, thumbnail.accent.b, 0.18)
                }
                GradientStop {
                    position: 1
                    color: Qt.rgba(0, 0, 0, 0.3)
                }
            }

            PathLine { x: thumbnail.width; y: 0 }
            PathLine { x: thumbnail.width; y: thumbnail.height }
            PathLine { x: 0; y: thumbnail.height }
            PathLine { x: 0; y: 0 }
        }
    }

    SymbolIcon {
        objectName: "thumbnailPlaceholder"
        anchors.centerIn: parent
        visible: !thumbnail.pictureShown
        name: thumbnail.placeholderSymbol
        size: 24
        font.weight: Font.Light
        color: Qt.rgba(thumbnail.accent.r, thumbnail.accent.g, thumbnail.accent.b, 0.8)
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
