import QtQuick
import QtQuick.Layouts
import Quorvane.Common

// The frame of a statistics chart: title and subtitle above the chart, which takes the height left.
Rectangle {
    id: card

    required property string title
    required property string subtitle
    default property alias chart: chartArea.data

    radius: Theme.radiusCard
    color: Theme.surfaceCard
    border.color: Theme.outline
    border.width: 1

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: Theme.paddingCard
        spacing: 10

        Text {
            text: card.title
            font.pixelSize: Theme.fontEmphasis
            font.weight: Theme.fontWeightEmphasis
            color: Theme.textBright
            Accessible.name: text
        }

        Text {
            text: card.subtitle
            font.pixelSize: Theme.fontSmall
            color: Theme.textTertiary
            Accessible.name: text
        }

        Item {
            id: chartArea

            Layout.fillWidth: true
            Layout.fillHeight: true
        }
    }
}
