import QtQuick
import Quorvane.Common

// The card that holds a developer-corner block: the content padded 20 on a faint white plate with a
// faint outline. The card is as wide as it is laid out; its height follows the content.
Rectangle {
    default property alias content: holder.data

    implicitHeight: holder.childrenRect.height + 40
    radius: 18 // own shape
    color: Theme.controlFill
    border.width: 1
    border.color: Theme.outline

    Item {
        id: holder

        x: 20
        y: 20
        width: parent.width - 40
        height: childrenRect.height
    }
}
