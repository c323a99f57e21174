import QtCharts
import Quorvane.Common
import Quorvane.Statistics

// The date axis of the statistics charts: day indices from -0.5 to the last day + 0.5, with a date label
// and a faint grid line on each labelled day.
CategoryAxis {
    id: axis

    required property StatisticsModel statistics

    min: statistics.dayAxisMinimum
    // The first category opens at the axis's start; opening at 0 would draw day 0's grid line twice.
    startValue: statistics.dayAxisMinimum
    max: statistics.dayAxisMaximum
    labelsPosition: CategoryAxis.AxisLabelsPositionOnValue
    lineVisible: false
    truncateLabels: false
    gridLineColor: statistics.dayGridColor
    labelsColor: Theme.textSubtitle
    labelsFont.pixelSize: Theme.fontCaption

    readonly property ChartDayLabels dayLabels: ChartDayLabels {
        axis: axis
        labels: axis.statistics.dateLabels
    }
}
