pragma ComponentBehavior: Bound
import QtQuick
import QtCharts
import Quorvane.Statistics

// The daily completed rounds as green bars with rounded corners. Chart bars cannot be rounded, so the
// bars are rectangles laid over the plot area at the chart's own positions of their days.
Item {
    id: view

    required property StatisticsModel statistics
    // The share of a day's width that its bar takes.
    readonly property real barWidthInDays: 0.6
    // The chart maps values by an axis's new range only once the axis has announced the whole range, after
    // its minimum and maximum; the bars take their positions again then.
    property int axisRevision: 0

    // Where a value lies in the chart. The plot area and the axis revision are passed only so that a
    // binding that calls this reads them, and runs again whenever one changes: a read standing alone in a
    // binding is dropped when the binding is compiled.
    function positionOf(x: real, y: real, plotArea: rect, revision: int): point {
        return chart.mapToPosition(Qt.point(x, y), frame);
    }

    StatisticsChartFrame {
        id: chart

        anchors.fill: parent
        objectName: "roundsChart"

        StatisticsDayAxis {
            id: days

            statistics: view.statistics
        }

        StatisticsValueAxis {
            id: values

            statistics: view.statistics
            maximum: view.statistics.roundsAxisMaximum
            ticks: view.statistics.roundsAxisTickCount
        }

        // Draws nothing: it puts the axes on the chart and gives the bars their positions.
        LineSeries {
            id: frame

            name: view.statistics.texts.roundsValueName
            axisX: days
            axisY: values
            color: "transparent"
        }
    }

    Connections {
        target: days
        function onRangeChanged() {
            ++view.axisRevision;
        }
    }

    Connections {
        target: values
        function onRangeChanged() {
            ++view.axisRevision;
        }
    }

    Item {
        id: plot

        x: chart.plotArea.x
        y: chart.plotArea.y
        width: chart.plotArea.width
        height: chart.plotArea.height
        clip: true

        Repeater {
            model: view.statistics.roundBars

            Rectangle {
                required property point modelData
                readonly property point topLeft: view.positionOf(modelData.x - view.barWidthInDays / 2, modelData.y,
                                                                 chart.plotArea, view.axisRevision)
                readonly property point bottomRight: view.positionOf(modelData.x + view.barWidthInDays / 2, 0,
                                                                     chart.plotArea, view.axisRevision)

                objectName: "roundsBar"
                x: topLeft.x - plot.x
                y: topLeft.y - plot.y
                width: bottomRight.x - topLeft.x
                height: bottomRight.y - topLeft.y
                radius: Math.min(4, width / 2, height / 2)
                gradient: Gradient {
                    GradientStop { position: 0; color: view.statistics.roundsBarTopColor }
                    GradientStop { position: 1; color: view.statistics.roundsBarBottomColor }
                }
            }
        }
    }
}
