import QtCharts
import Quorvane.Common
import Quorvane.Statistics

// The value axis of the statistics charts: from 0 to a maximum whose ticks all fall on whole numbers.
// ValuesAxis is QValueAxis under its other name: QtCharts 6.4 describes QValueAxis twice to the QML
// tools, and the second description, which they keep, exports only this one.
ValuesAxis {
    required property StatisticsModel statistics
    required property real maximum
    required property int ticks

    min: 0
    max: maximum
    tickCount: ticks
    labelFormat: "%d"
    lineVisible: false
    truncateLabels: false
    gridLineColor: statistics.valueGridColor
    labelsColor: Theme.textSubtitle
    labelsFont.pixelSize: Theme.fontCaption
}
