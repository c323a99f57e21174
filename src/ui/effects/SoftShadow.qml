import QtQuick
import Quorvane.Effects

// A soft shadow under a rounded rectangle or capsule. Place it as a sibling just before the item it
// shades: an effect set on the item itself would take the item with it where shaders are unavailable.
// Painted once per size and colour: moving or fading it does not paint it again.
RectangleGlow {
    required property Item target
    // The corner radius of the target.
    property real shapeRadius: 0
    // How far the shadow spreads beyond the target.
    property real blurRadius: 10
    property real offsetX: 0
    property real offsetY: 0

    x: target.x + offsetX
    y: target.y + offsetY
    width: target.width
    height: target.height
    glowRadius: blurRadius
    cornerRadius: shapeRadius + blurRadius
    visible: target.visible
    scale: target.scale
}
