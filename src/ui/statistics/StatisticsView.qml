pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Shapes
import Quorvane.Common
import Quorvane.Statistics

// The statistics sheet: today's figures, the active focus over 7 or 30 days, the two trend charts and
// the day-by-day table. It is built afresh at each opening, so the period starts at 7 days.
Item {
    id: view

    readonly property StatisticsModel statistics: model

    StatisticsModel {
        id: model

        controller: AppController
    }

    // From the top-leading to the bottom-trailing corner.
    Shape {
        anchors.fill: parent

        ShapePath {
            strokeWidth: -1
            fillGradient: LinearGradient {
                x1: 0
                y1: 0
                x2: view.width
                y2: view.height
                GradientStop { position: 0; color: Theme.sheetGradientTop }
                GradientStop { position: 1; color: Theme.sheetGradientBottom }
            }
            startX: 0
            startY: 0
            PathLine { x: view.width; y: 0 }
            PathLine { x: view.width; y: view.height }
            PathLine { x: 0; y: view.height }
            PathLine { x: 0; y: 0 }
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        StatisticsHeader {
            Layout.fillWidth: true
            statistics: model
            onDone: AppController.sheets.close(Sheets.Statistics)
        }

        SheetScrollView {
            id: scroll

            objectName: "statisticsScroll"
            // Tab stops on the view too, whose arrows then scroll it: the tables' arrows move their cells.
            focusStop: true
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: availableWidth
            ScrollBar.vertical.policy: ScrollBar.AlwaysOn

            ColumnLayout {
                width: scroll.availableWidth
                spacing: Theme.spacingCards

                RowLayout {
                    Layout.fillWidth: true
                    Layout.topMargin: 24
                    Layout.leftMargin: 24
                    Layout.rightMargin: 24
                    spacing: 14

                    Repeater {
                        model: view.statistics.cards

                        StatisticsMetricCard {
                            required property var modelData

                            Layout.fillWidth: true
                            Layout.preferredWidth: 1
                            Layout.fillHeight: true
                            title: modelData.title
                            value: modelData.value
                            detail: modelData.detail
                            symbol: modelData.symbol
                            accent: view.statistics.accentColor
                        }
                    }
                }

                RowLayout {
                    Layout.fillWidth: true
                    Layout.leftMargin: 24
                    Layout.rightMargin: 24
                    Layout.preferredHeight: 250
                    spacing: 14

                    StatisticsChartCard {
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.fillHeight: true
                        title: view.statistics.texts.healthChartTitle
                        subtitle: view.statistics.texts.healthChartSubtitle
                        figures: view.statistics.healthFigures

                        HealthTrendChart {
                            anchors.fill: parent
                            statistics: view.statistics
                        }
                    }

                    StatisticsChartCard {
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.fillHeight: true
                        title: view.statistics.texts.roundsChartTitle
                        subtitle: view.statistics.texts.roundsChartSubtitle
                        figures: view.statistics.roundFigures

                        CompletedRoundsChart {
                            anchors.fill: parent
                            statistics: view.statistics
                        }
                    }
                }

                StatisticsDailyTable {
                    Layout.fillWidth: true
                    Layout.leftMargin: 24
                    Layout.rightMargin: 24
                    Layout.bottomMargin: 24
                    statistics: view.statistics
                }
            }
        }
    }
}
