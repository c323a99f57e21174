import QtQuick
import Qt5Compat.GraphicalEffects

// A translucent panel: a blurred view of the backdrop behind it under a black tint. The blur is a
// sibling layer of the tint, so where shaders are unavailable the panel keeps its tint and border.
Item {
    id: panel

    // What shows through, blurred: the scene behind the interface, overlay included. None: the tint alone.
    property Item backdrop: null
    property real radius: 18
    property real tintOpacity: 0.26
    property color borderColor: Qt.rgba(1, 1, 1, 0.1)

    // The part of the backdrop under the panel.
    property rect backdropArea: Qt.rect(0, 0, 0, 0)

    function updateBackdropArea() {
        if (!backdrop)
            return;
        const area = mapToItem(backdrop, 0, 0, width, height);
        if (area.x !== backdropArea.x || area.y !== backdropArea.y || area.width !== backdropArea.width || area.height !== backdropArea.height)
            backdropArea = area;
    }

    onWidthChanged: updateBackdropArea()
    onHeightChanged: updateBackdropArea()
    onBackdropChanged: updateBackdropArea()
    Component.onCompleted: updateBackdropArea()

    // Whatever moves the panel (its host, an animation, a resized window) draws a new frame first.
    Connections {
        function onAfterAnimating() {
            panel.updateBackdropArea();
        }

        target: panel.Window.window
    }

    ShaderEffectSource {
        id: backdropSlice

        visible: false
        width: panel.width
        height: panel.height
        sourceItem: panel.backdrop
        sourceRect: panel.backdropArea
    }

    FastBlur {
        id: blur

        anchors.fill: parent
        visible: false
        source: backdropSlice
        radius: 48
    }

    Rectangle {
        id: shape

        anchors.fill: parent
        visible: false
        radius: panel.radius
    }

    // Drawn again only when the blurred slice or the shape changes.
    OpacityMask {
        anchors.fill: parent
        cached: true
        visible: panel.backdrop !== null
        source: blur
        maskSource: shape
    }

    Rectangle {
        anchors.fill: parent
        radius: panel.radius
        color: Qt.rgba(0, 0, 0, panel.tintOpacity)
        border.color: panel.borderColor
        border.width: 1
    }
}
