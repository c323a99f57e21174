import QtQuick
import QtCharts
import Quorvane.Statistics

// The daily health score: a filled area with straight steps, a smooth line through every day and a
// point per day, all in the accent colour, plotted by day index.
Item {
    id: view

    required property StatisticsModel statistics

    StatisticsChartFrame {
        id: chart

        anchors.fill: parent
        objectName: "healthChart"

        StatisticsDayAxis {
            id: days

            statistics: view.statistics
        }

        StatisticsValueAxis {
            id: values

            statistics: view.statistics
            maximum: view.statistics.healthAxisMaximum
            ticks: view.statistics.healthAxisTickCount
        }

        AreaSeries {
            id: area

            name: view.statistics.texts.healthValueName
            axisX: days
            axisY: values
            borderWidth: 0
            borderColor: "transparent"
            upperSeries: LineSeries {
                id: areaEdge
            }
        }

        LineSeries {
            id: line

            name: view.statistics.texts.healthValueName
            axisX: days
            axisY: values
            color: view.statistics.accentColor
            width: 2
        }

        ScatterSeries {
            id: points

            name: view.statistics.texts.healthValueName
            axisX: days
            axisY: values
            color: view.statistics.accentColor
            borderColor: view.statistics.accentColor
            markerSize: 7
        }
    }

    ChartAreaGradient {
        series: area
        topColor: view.statistics.healthAreaTopColor
        bottomColor: view.statistics.healthAreaBottomColor
    }

    ChartPoints {
        series: areaEdge
        points: view.statistics.healthPoints
    }

    ChartPoints {
        series: line
        points: view.statistics.healthCurve
    }

    ChartPoints {
        series: points
        points: view.statistics.healthPoints
    }
}
