import QtQuick
import Quorvane.Common

// A symbol by its name ("timer", "lock.fill"), drawn as one glyph of the embedded symbol font. A name
// the table does not know draws nothing.
Text {
    required property string name
    property real size: Theme.fontButton

    text: Fonts.symbolText(name)
    font.family: Fonts.symbolFamily
    font.pixelSize: size
    color: Theme.foreground
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    Accessible.ignored: true
}
