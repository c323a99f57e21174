import QtQuick
import QtQuick.Layouts
import Quorvane.Common

// One metric of the statistics sheet: symbol and title, the figure, and a line that explains it.
Rectangle {
    id: card

    required property string title
    required property string value
    required property string detail
    required property string symbol
    required property color accent

    implicitHeight: column.implicitHeight + 36
    radius: Theme.radiusCard
    color: Theme.controlFill
    border.color: Theme.separator
    border.width: 1

    ColumnLayout {
        id: column

        anchors.fill: parent
        anchors.margins: Theme.paddingCard
        spacing: 12

        RowLayout {
            spacing: 8

            SymbolIcon {
                name: card.symbol
                color: card.accent
            }

            Text {
                text: card.title
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightLabel
                color: Theme.textDescription
                Accessible.name: text
            }
        }

        Text {
            objectName: "metricValue"
            text: card.value
            font.pixelSize: Theme.fontMetric
            font.weight: Theme.fontWeightFigure
            color: Theme.textPrimary
            Accessible.name: text
        }

        Text {
            Layout.fillWidth: true
            text: card.detail
            font.pixelSize: Theme.fontSmall
            color: Theme.textTertiary
            elide: Text.ElideRight
            maximumLineCount: 1
            Accessible.name: text
        }
    }
}
