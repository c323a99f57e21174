import QtQuick
import Quorvane.Common

// What the tooltip layer reads of an instant tooltip: its texts, its accent, the side its bubble takes
// and, as an item, where it is. A type of its own, so that the layer and the tooltip, which know each
// other, name no type that names them back: Qt cannot load two files that name each other's type.
Item {
    required property string title
    required property string detail
    property color accent: Theme.accent
    // "trailing", "topLeading", "topTrailing" or "bottomTrailing".
    property string placement: "trailing"
}
