pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common
import Quorvane.Journal

// The journal's left column: the month grid with its markers, the selected day's three figures and
// the privacy note. Everything shown comes ready from the journal; taps go back to it.
Rectangle {
    id: panel

    required property JournalController journal
    readonly property color accent: Theme.accent

    color: Theme.wellShade

    Column {
        id: content

        anchors.fill: parent
        anchors.margins: 22
        spacing: 18

        Item {
            width: parent.width
            height: Math.max(titles.height, 28)

            Column {
                id: titles

                anchors.verticalCenter: parent.verticalCenter
                spacing: 3

                Text {
                    objectName: "journalMonthTitle"
                    text: panel.journal.monthTitle
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                    font.pixelSize: Theme.fontMonthTitle
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.foreground
                }

                Text {
                    text: Texts.L("有记录的日期带有金色标记", "Days with journal entries carry a gold marker")
                    Accessible.name: text
                    font.pixelSize: Theme.fontCaption
                    color: Theme.textTertiary
                }
            }

            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 6

                Repeater {
                    model: [{ "symbol": "chevron.left", "offset": -1 }, { "symbol": "chevron.right", "offset": 1 }]

                    delegate: AbstractButton {
                        id: monthButton

                        required property var modelData

                        objectName: "journalMonth" + (modelData.offset < 0 ? "Previous" : "Next")
                        width: 28
                        height: 28
                        onClicked: panel.journal.showAdjacentMonth(modelData.offset)
                        // Drawn as a bare arrow; a screen reader needs its words.
                        Accessible.name: Texts.text(modelData.offset < 0 ? "上个月" : "下个月")
                        Accessible.onPressAction: if (enabled) clicked()

                        contentItem: SymbolIcon {
                            name: monthButton.modelData.symbol
                            size: Theme.fontBody
                        }

                        background: Rectangle {
                            radius: 14 // own shape
                            color: Theme.controlFill
                            border.width: 1
                            border.color: Theme.outline
                        }

                        FocusRing {
                            cornerRadius: 14
                        }
                    }
                }
            }
        }

        Grid {
            id: grid

            readonly property real columnWidth: (width - 6 * columnSpacing) / 7
            // While a key moves the selection: the days are made anew, and the new selected one takes the keys.
            property bool moving: false

            width: parent.width
            columns: 7
            columnSpacing: 6
            rowSpacing: 8
            Keys.onPressed: event => {
                moving = true;
                event.accepted = panel.journal.moveSelection(event.key);
                moving = false;
            }

            Repeater {
                model: panel.journal.weekdayLabels

                delegate: Text {
                    required property string modelData

                    width: grid.columnWidth
                    horizontalAlignment: Text.AlignHCenter
                    text: modelData
                    font.pixelSize: Theme.fontCaption
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.textFaint
                }
            }

            Repeater {
                model: panel.journal.monthCells

                delegate: JournalDayCell {
                    width: grid.columnWidth
                    journal: panel.journal
                    Component.onCompleted: {
                        if (grid.moving && activeFocusOnTab)
                            forceActiveFocus(Qt.TabFocusReason);
                    }
                }
            }
        }

        Rectangle {
            width: parent.width
            height: 1
            color: Theme.controlFill
        }

        Column {
            width: parent.width
            spacing: 12

            Text {
                text: Texts.L("当日概览", "Day at a Glance")
                Accessible.role: Accessible.Heading
                Accessible.name: text
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightEmphasis
                color: Theme.textLead
            }

            Row {
                width: parent.width
                spacing: 10

                Repeater {
                    model: panel.journal.dayFigures

                    delegate: Rectangle {
                        id: metricCell

                        required property var modelData

                        width: (parent.width - 20) / 3
                        height: metric.height + 22
                        radius: 13 // own shape
                        color: Theme.surfaceCard
                        border.width: 1
                        border.color: Theme.outlineFaint
                        Accessible.role: Accessible.StaticText
                        Accessible.name: modelData.accessibleName

                        Column {
                            id: metric

                            x: 11
                            y: 11
                            width: parent.width - 22
                            spacing: 7

                            Item {
                                width: parent.width
                                height: value.height

                                SymbolIcon {
                                    anchors.verticalCenter: parent.verticalCenter
                                    name: metricCell.modelData.symbol
                                    size: Theme.fontEmphasis
                                    color: panel.accent
                                }

                                Text {
                                    id: value

                                    anchors.right: parent.right
                                    text: metricCell.modelData.value
                                    font.pixelSize: Theme.fontCalendarMetric
                                    font.weight: Theme.fontWeightFigure
                                    color: Theme.foreground
                                }
                            }

                            Text {
                                text: metricCell.modelData.label
                                font.pixelSize: Theme.fontCaption
                                font.weight: Theme.fontWeightLabel
                                color: Theme.textCaption
                            }
                        }
                    }
                }
            }
        }
    }

    Row {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 22
        spacing: 8

        SymbolIcon {
            id: shield

            anchors.verticalCenter: parent.verticalCenter
            name: "lock.shield"
            size: Theme.fontControl
            color: Theme.accentPressed(panel.accent)
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - shield.width - parent.spacing
            wrapMode: Text.Wrap
            text: Texts.L("日志仅保存在这台电脑的 Quorvane 数据目录中",
                          "Your journal stays in Quorvane's local data folder on this computer")
            Accessible.name: text
            font.pixelSize: Theme.fontCaption
            color: Theme.textTertiary
        }
    }
}
