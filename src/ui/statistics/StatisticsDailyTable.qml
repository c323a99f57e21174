pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Statistics

// The day-by-day table of the statistics sheet, newest day first. A screen reader reads it as a table, cell
// by cell with its headers, rather than its texts one by one.
Rectangle {
    id: table

    required property StatisticsModel statistics
    // A map with the table's "columns" and "cells".
    readonly property var figures: statistics.dailyFigures

    implicitHeight: column.implicitHeight + 36
    radius: Theme.radiusCard
    color: Theme.surfaceCard
    border.color: Theme.outline
    border.width: 1

    component Cell: Text {
        required property real cellWidth

        Layout.preferredWidth: cellWidth
        horizontalAlignment: Text.AlignRight
    }

    ColumnLayout {
        id: column

        anchors.fill: parent
        anchors.margins: Theme.paddingCard
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.bottomMargin: 12
            spacing: 0

            Text {
                text: table.statistics.texts.tableTitle
                font.pixelSize: Theme.fontEmphasis
                font.weight: Theme.fontWeightEmphasis
                color: Theme.textBright
                Accessible.name: text
            }

            Item {
                Layout.fillWidth: true
            }

            Repeater {
                model: [
                    { title: table.statistics.texts.healthCaption, width: 58 },
                    { title: table.statistics.texts.roundsCaption, width: 55 },
                    { title: table.statistics.texts.activeFocusCaption, width: 90 }
                ]

                Cell {
                    required property var modelData

                    cellWidth: modelData.width
                    text: modelData.title
                    font.pixelSize: Theme.fontLabel
                    color: Theme.textTertiary
                }
            }
        }

        Repeater {
            model: table.statistics.rows

            Item {
                id: dayRow

                required property var modelData

                objectName: "statisticsRow"
                Layout.fillWidth: true
                implicitHeight: row.implicitHeight + 18

                RowLayout {
                    id: row

                    anchors.fill: parent
                    anchors.topMargin: 9
                    anchors.bottomMargin: 9

                    Text {
                        text: dayRow.modelData.dayLabel
                        font.pixelSize: Theme.fontBody
                        font.weight: Theme.fontWeightLabel
                        color: Theme.textBright
                    }

                    Item {
                        Layout.fillWidth: true
                    }

                    Cell {
                        cellWidth: 58
                        text: dayRow.modelData.healthScore
                        font.pixelSize: Theme.fontBody
                        color: table.statistics.accentColor
                    }

                    Cell {
                        cellWidth: 55
                        text: dayRow.modelData.completedSessions
                        font.pixelSize: Theme.fontBody
                        color: Theme.textBright
                    }

                    Cell {
                        cellWidth: 90
                        text: dayRow.modelData.activeFocus
                        font.pixelSize: Theme.fontBody
                        color: Theme.textDescription
                    }
                }

                Rectangle {
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.bottom: parent.bottom
                    height: 1
                    color: Theme.outline
                }
            }
        }
    }

    FigureTable {
        id: figureTable

        anchors.fill: parent
        columns: table.figures.columns
        cells: table.figures.cells
        visible: rowCount > 0
        Accessible.name: table.statistics.texts.tableTitle

        FocusRing {
            cornerRadius: Theme.radiusCard
            shown: figureTable.activeFocus
        }
    }
}
