import QtQuick
import QtQuick.Templates as T

// The instant tooltip of one control: put it inside the control, which it fills. While the pointer is
// over the control or the keyboard has reached it, and the control is enabled and visible, the root view's tooltip layer draws this
// tooltip's bubble above every other item; it goes as soon as any of that stops, or the control goes.
//
//     InstantTooltip { title: ...; detail: ...; placement: "bottomTrailing" }
InstantTooltipSource {
    id: tooltip

    readonly property bool shown: (hover.hovered || (parent as T.Control)?.visualFocus === true) && parent !== null
                                  && parent.enabled && parent.visible
    // The layer of the root view that holds this control; none outside the main window.
    readonly property InstantTooltipLayer bubbleLayer: {
        for (let item = parent; item; item = item.parent) {
            if (item.tooltipLayer)
                return item.tooltipLayer;
        }
        return null;
    }

    anchors.fill: parent
    onShownChanged: {
        if (!bubbleLayer)
            return;
        if (shown)
            bubbleLayer.show(tooltip);
        else
            bubbleLayer.hide(tooltip);
    }
    Component.onDestruction: {
        if (bubbleLayer)
            bubbleLayer.hide(tooltip);
    }

    HoverHandler {
        id: hover
    }
}
