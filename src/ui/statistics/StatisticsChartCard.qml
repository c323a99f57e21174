import QtQuick
import QtQuick.Layouts

// The frame of a statistics chart: title and subtitle above the chart, which takes the height left.
Rectangle {
    id: card

    required property string title
    required property string subtitle
    default property alias chart: chartArea.data

    radius: 16
    color: Qt.rgba(1, 1, 1, 0.045)
    border.color: Qt.rgba(1, 1, 1, 0.08)
    border.width: 1

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 18
        spacing: 10

        Text {
            text: card.title
            font.pixelSize: 15
            font.weight: Font.DemiBold
            color: "white"
            Accessible.name: text
        }

        Text {
            text: card.subtitle
            font.pixelSize: 11
            color: Qt.rgba(1, 1, 1, 0.4)
            Accessible.name: text
        }

        Item {
            id: chartArea

            Layout.fillWidth: true
            Layout.fillHeight: true
        }
    }
}
