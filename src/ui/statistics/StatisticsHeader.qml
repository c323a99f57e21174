pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Templates as T
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Statistics

// The statistics sheet's header: title and subtitle, the period picker and the Done button.
Item {
    id: header

    required property StatisticsModel statistics

    signal done

    implicitHeight: row.implicitHeight + 48

    RowLayout {
        id: row

        anchors.fill: parent
        anchors.margins: 24

        ColumnLayout {
            spacing: 4

            Text {
                text: header.statistics.texts.title
                font.family: "Noto Serif CJK SC"
                font.pixelSize: Theme.fontViewTitle
                font.weight: Theme.fontWeightEmphasis
                color: Theme.textBright
                Accessible.name: text
            }

            Text {
                text: header.statistics.texts.subtitle
                font.pixelSize: Theme.fontLabel
                color: Theme.textSubtitle
                Accessible.name: text
            }
        }

        Item {
            Layout.fillWidth: true
        }

        Row {
            id: periodPicker

            objectName: "statisticsPeriod"
            Accessible.role: Accessible.Grouping
            Accessible.name: header.statistics.texts.periodName

            ButtonGroup {
                id: periods
            }

            Repeater {
                model: [
                    { days: 7, title: header.statistics.texts.sevenDays },
                    { days: 30, title: header.statistics.texts.thirtyDays }
                ]

                T.Button {
                    id: segment

                    required property var modelData
                    required property int index

                    objectName: "statisticsPeriod" + modelData.days
                    width: 75
                    height: 28
                    checkable: true
                    checked: header.statistics.range === modelData.days
                    ButtonGroup.group: periods
                    text: modelData.title
                    font.pixelSize: Theme.fontLabel
                    font.weight: checked ? Theme.fontWeightEmphasis : Theme.fontWeightRegular
                    onClicked: header.statistics.range = modelData.days

                    contentItem: Text {
                        text: segment.text
                        font: segment.font
                        color: segment.checked ? Theme.textPrimary : Theme.textDescription
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }

                    background: Rectangle {
                        radius: 7 // own shape
                        color: segment.checked ? Theme.highlight : segment.down ? Theme.separator : Theme.controlFill
                        border.color: Theme.separator
                        border.width: 1
                    }

                    FocusRing {
                        cornerRadius: 7
                    }
                }
            }
        }

        T.Button {
            id: doneButton

            objectName: "statisticsDone"
            Layout.leftMargin: 8
            implicitWidth: implicitContentWidth + 32
            implicitHeight: 30
            text: header.statistics.texts.done
            font.pixelSize: Theme.fontBody
            font.weight: Theme.fontWeightEmphasis
            onClicked: header.done()

            contentItem: Text {
                text: doneButton.text
                font: doneButton.font
                color: Theme.textOnAccent
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            background: Rectangle {
                radius: Theme.radiusDoneButton
                readonly property color accent: header.statistics.accentColor
                color: doneButton.down ? Theme.accentPressed(accent) : Theme.opaque(accent)
            }

            FocusRing {
                cornerRadius: 7
            }
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
