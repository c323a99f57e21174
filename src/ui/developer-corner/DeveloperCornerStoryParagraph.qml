import QtQuick
import Quorvane.Common

// A paragraph of the story, wrapped to the card's width with generous line spacing.
Text {
    wrapMode: Text.Wrap
    Accessible.name: text
    font.pixelSize: Theme.fontControl
    lineHeight: 1.4
    color: Theme.textParagraph
}
