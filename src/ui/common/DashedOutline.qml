import QtQuick
import QtQuick.Shapes

// A dashed one-pixel outline of a rounded rectangle, filling its parent. Dashes and gaps are in pixels.
Shape {
    id: outline

    required property real radius
    required property color color
    property var dashPattern: [5, 5]

    readonly property real r: radius
    readonly property real w: width - 1
    readonly property real h: height - 1

    anchors.fill: parent

    ShapePath {
        strokeColor: outline.color
        strokeWidth: 1
        fillColor: "transparent"
        strokeStyle: ShapePath.DashLine
        dashPattern: outline.dashPattern
        startX: 0.5 + outline.r
        startY: 0.5

        PathLine { x: 0.5 + outline.w - outline.r; y: 0.5 }
        PathArc { x: 0.5 + outline.w; y: 0.5 + outline.r; radiusX: outline.r; radiusY: outline.r }
        PathLine { x: 0.5 + outline.w; y: 0.5 + outline.h - outline.r }
        PathArc { x: 0.5 + outline.w - outline.r; y: 0.5 + outline.h; radiusX: outline.r; radiusY: outline.r }
        PathLine { x: 0.5 + outline.r; y: 0.5 + outline.h }
        PathArc { x: 0.5; y: 0.5 + outline.h - outline.r; radiusX: outline.r; radiusY: outline.r }
        PathLine { x: 0.5; y: 0.5 + outline.r }
        PathArc { x: 0.5 + outline.r; y: 0.5; radiusX: outline.r; radiusY: outline.r }
    }
}
