import QtQuick

// A paragraph of the story, wrapped to the card's width with generous line spacing.
Text {
    wrapMode: Text.Wrap
    Accessible.name: text
    font.pixelSize: 14
    lineHeight: 1.4
    color: Qt.rgba(1, 1, 1, 0.82)
}
