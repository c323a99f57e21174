import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common
import Quorvane.Journal

// One slot of the month grid: empty before the first day, otherwise a day that can be picked.
AbstractButton {
    id: cell

    required property var modelData
    required property JournalController journal
    readonly property color accent: Theme.accent
    readonly property bool isDay: !modelData.isEmpty
    readonly property bool isSelected: isDay && modelData.isSelected

    objectName: isDay ? "journalDay" + modelData.dayOfMonth : ""
    height: 38
    enabled: isDay
    // The grid is one stop for Tab, on the selected day; the keys move the selection (the panel's grid).
    activeFocusOnTab: isDay && modelData.isTabStop
    // A blank slot before the first day is nothing to a screen reader.
    Accessible.ignored: !isDay
    Accessible.name: isDay ? modelData.dayTitle : ""
    Accessible.description: isDay ? modelData.entriesText : ""
    Accessible.selectable: isDay
    Accessible.selected: isSelected
    onClicked: journal.selectDayOfVisibleMonth(modelData.dayOfMonth)
    Accessible.onPressAction: if (enabled) clicked()

    background: Rectangle {
        visible: cell.isDay
        radius: Theme.radiusCell
        color: cell.isSelected ? cell.accent : Theme.surfaceFaint
        border.width: cell.isSelected ? 0 : 1
        border.color: cell.isDay && cell.modelData.isToday
                      ? Theme.accentLine(cell.accent)
                      : Theme.controlFill
    }

    contentItem: Item {
        visible: cell.isDay

        Text {
            anchors.centerIn: parent
            text: cell.isDay ? cell.modelData.dayText : ""
            font.pixelSize: Theme.fontLabel
            font.weight: cell.isSelected ? Theme.fontWeightStrong : Theme.fontWeightLabel
            color: cell.isSelected ? Theme.textOnAccent : Theme.textParagraph
        }

        Rectangle {
            visible: cell.isDay && cell.modelData.hasEntries
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 4
            width: 4
            height: 4
            radius: 2 // own shape
            color: cell.isSelected ? Theme.shadeHeavy : cell.accent
        }
    }

    FocusRing {
        cornerRadius: 10
    }
}
