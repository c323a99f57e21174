import QtQuick
import Quorvane.Common

// A card of a settings pane: its content a card's padding from every edge on a faint rounded panel. The
// card gives its content no arrangement of its own: the content area is as wide as the card, and the
// card is as tall as what the pane puts in it.
Rectangle {
    id: card

    default property alias content: body.data

    implicitHeight: body.childrenRect.height + 2 * Theme.paddingCard
    radius: Theme.radiusCard
    color: Theme.controlFill
    border.width: 1
    border.color: Theme.outline

    Item {
        id: body

        x: Theme.paddingCard
        y: Theme.paddingCard
        width: card.width - 2 * Theme.paddingCard
        height: childrenRect.height
    }
}
