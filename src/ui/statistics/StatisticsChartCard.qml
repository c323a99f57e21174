import QtQuick
import QtQuick.Layouts
import Quorvane.Common

// The frame of a statistics chart: title and subtitle above the chart, which takes the height left. Over
// it lie the chart's figures as a table for the keyboard and a screen reader, named by the title.
Rectangle {
    id: card

    required property string title
    required property string subtitle
    // A map with the table's "columns" and "cells".
    required property var figures
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

    FigureTable {
        id: figureTable

        anchors.fill: parent
        columns: card.figures.columns
        cells: card.figures.cells
        visible: rowCount > 0
        Accessible.name: card.title
        Accessible.description: card.subtitle

        FocusRing {
            cornerRadius: Theme.radiusCard
            shown: figureTable.activeFocus
        }
    }
}
