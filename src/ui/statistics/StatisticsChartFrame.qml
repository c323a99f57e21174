import QtQuick
import QtCharts

// The chart both statistics cards draw in: clear over its card and without a legend, its plot reaching
// the card's edges but for a little room above. The axes and series are given as its children.
ChartView {
    antialiasing: true
    backgroundColor: "transparent"
    plotAreaColor: "transparent"
    backgroundRoundness: 0
    legend.visible: false
    margins.left: 0
    margins.right: 0
    margins.top: 4
    margins.bottom: 0
}
