import QtQuick
import Quorvane.Common
import Quorvane.Effects

// The one bubble of the instant tooltips, drawn above every item of the window. A control's
// InstantTooltip shows itself here while it is hovered; the bubble fades and scales in at once.
Item {
    id: layer

    // The tooltip shown now; null when none is.
    property InstantTooltipSource current: null
    // The last one shown, so that the bubble keeps its texts while it fades out.
    property InstantTooltipSource last: null

    function show(tooltip) {
        last = tooltip;
        current = tooltip;
    }

    function hide(tooltip) {
        if (current === tooltip)
            current = null;
    }

    Item {
        id: bubble

        objectName: "tooltipBubble"

        // Bound to the control's tooltip, not copied: a click that changes what the control does, or a
        // drag that moves it, shows in the bubble at once.
        readonly property string title: layer.last ? layer.last.title : ""
        readonly property string detail: layer.last ? layer.last.detail : ""
        readonly property color accent: layer.last ? layer.last.accent : Theme.accent
        readonly property bool showing: layer.current !== null
        readonly property point position: {
            const tooltip = layer.last;
            if (!tooltip)
                return Qt.point(0, 0);
            // Read every ancestor's geometry, so that the binding runs again when any of them moves.
            for (let item = tooltip; item; item = item.parent)
                void (item.x + item.y + item.width + item.height + item.scale);
            const anchor = tooltip.mapToItem(layer, 0, 0, tooltip.width, tooltip.height);
            return Placement.tooltipPosition(anchor, tooltip.placement, height);
        }

        x: position.x
        y: position.y
        width: 234
        height: content.implicitHeight + 20
        opacity: showing ? 1 : 0
        scale: showing ? 1 : 0.96
        visible: opacity > 0
        onAccentChanged: outline.requestPaint()

        Behavior on opacity {
            NumberAnimation {
                duration: Theme.durationHover
                easing.type: Easing.OutQuad
            }
        }

        Behavior on scale {
            NumberAnimation {
                duration: Theme.durationHover
                easing.type: Easing.OutQuad
            }
        }

        SoftShadow {
            target: background
            shapeRadius: background.radius
            blurRadius: 16
            offsetY: 8
            color: Theme.shadow
        }

        Rectangle {
            id: background

            anchors.fill: parent
            radius: 13 // own shape
            // A dark, slightly lifted glass under the black tint, opaque: without the blur of a
            // material, whatever showed through (the timer's digits) would fight the text.
            color: Theme.tooltipBackground

            Rectangle {
                anchors.fill: parent
                radius: parent.radius
                color: Theme.shadowDeep
            }
        }

        // The outline: a gradient from the top-left to the bottom-right corner.
        Canvas {
            id: outline

            anchors.fill: parent
            onWidthChanged: requestPaint()
            onHeightChanged: requestPaint()
            onPaint: {
                const context = getContext("2d");
                context.reset();
                const gradient = context.createLinearGradient(0, 0, width, height);
                gradient.addColorStop(0, Theme.highlight);
                gradient.addColorStop(0.5, Theme.accentTint(bubble.accent));
                gradient.addColorStop(1, Theme.controlFill);
                context.strokeStyle = gradient;
                context.lineWidth = 1;
                context.beginPath();
                context.roundedRect(0.5, 0.5, width - 1, height - 1, 13, 13);
                context.stroke();
            }
        }

        Row {
            id: content

            x: 11
            y: 10
            width: parent.width - 22
            spacing: 10

            Item {
                width: 22
                height: 22

                Rectangle {
                    anchors.fill: parent
                    radius: width / 2
                    color: Theme.accentFill(bubble.accent)
                }

                RectangleGlow {
                    anchors.fill: dot
                    glowRadius: 5
                    cornerRadius: dot.radius + glowRadius
                    color: Theme.accentStrong(bubble.accent)
                }

                Rectangle {
                    id: dot

                    anchors.centerIn: parent
                    width: 5
                    height: 5
                    radius: 2.5 // own shape
                    color: bubble.accent
                }
            }

            Column {
                width: content.width - 22 - content.spacing
                spacing: 3

                Text {
                    objectName: "tooltipTitle"
                    width: parent.width
                    text: bubble.title
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    font.pixelSize: Theme.fontLabel
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.textPrimary
                }

                Text {
                    objectName: "tooltipDetail"
                    width: parent.width
                    text: bubble.detail
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    // A pixel size is whole: 10.5 rounds up, as the detail must stay legible.
                    font.pixelSize: Theme.fontSmall
                    font.weight: Theme.fontWeightLabel
                    color: Theme.textSecondary
                }
            }
        }
    }
}
