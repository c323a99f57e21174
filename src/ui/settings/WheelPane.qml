pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The wheel pane: how strongly recently drawn items are held back and over how many draws, then the
// wheel's items with their weights, shares and health scores. Every value comes ready from the pane's
// models; every edit goes into the working copy.
SettingsPaneStack {
    id: pane

    required property SettingsSession session
    readonly property string language: session.language
    readonly property color secondary: Theme.textSecondary
    // The item table's columns, for its header and every row alike; the title's is the least it takes.
    readonly property var columnWidths: ({
            "symbol": 30,
            "title": 170,
            "weight": 68,
            "probability": 68,
            "health": 104,
            "trash": 22
        })

    title: session.headingTitle
    subtitle: session.headingSubtitle

    WheelPaneValues {
        id: values

        session: pane.session
    }

    WheelItemsModel {
        id: itemsModel

        session: pane.session
    }

    SettingsCard {
        width: pane.width

        Column {
            width: parent.width
            spacing: 15

            RowLayout {
                width: parent.width
                spacing: 12

                Text {
                    text: Texts.text("近期项目折扣强度", pane.language)
                    font.pixelSize: Theme.fontBody
                    color: Theme.textBright
                    Accessible.name: text
                }

                SettingsSlider {
                    objectName: "discountStrengthSlider"
                    accent: pane.session.accent
                    Accessible.name: Texts.text("近期项目折扣强度", pane.language)
                    Layout.fillWidth: true
                    from: 0
                    to: values.discountStrengthMaximum
                    value: values.discountStrength
                    onMoved: values.setDiscountStrength(value)
                }

                Text {
                    objectName: "discountStrengthText"
                    Layout.preferredWidth: 44
                    horizontalAlignment: Text.AlignRight
                    text: values.discountStrengthText
                    // The timer's face: its digits are all one width, so the label keeps still as it counts.
                    font.family: Fonts.timerFamily
                    font.pixelSize: Theme.fontBody
                    color: Theme.textBright
                    Accessible.name: text
                }
            }

            RowLayout {
                width: parent.width
                spacing: 12

                Text {
                    Layout.fillWidth: true
                    text: Texts.text("影响最近项目数", pane.language)
                    font.pixelSize: Theme.fontBody
                    color: Theme.textBright
                    Accessible.name: text
                }

                ValueStepper {
                    name: "recentWindow"
                    buttonWidth: 30
                    labelWidth: 64
                    labelSize: Theme.fontBody
                    label: values.recentWindowText
                    value: values.recentWindow
                    minimumValue: values.recentWindowMinimum
                    maximumValue: values.recentWindowMaximum
                    title: Texts.text("影响最近项目数", pane.language)
                    language: pane.language
                    canDecrease: values.canDecreaseRecentWindow
                    canIncrease: values.canIncreaseRecentWindow
                    onStepped: direction => values.stepRecentWindow(direction)
                }
            }

            Text {
                width: parent.width
                text: Texts.text("刚刚抽中的项目本轮为 0% 并从转盘隐藏；更早的项目逐步恢复到基础概率。", pane.language)
                font.pixelSize: Theme.fontSmall
                color: pane.secondary
                wrapMode: Text.Wrap
                Accessible.name: text
            }
        }
    }

    SettingsCard {
        width: pane.width

        Column {
            id: itemsColumn

            width: parent.width
            spacing: 10

            RowLayout {
                width: parent.width
                spacing: 10

                Text {
                    Layout.alignment: Qt.AlignBaseline
                    text: Texts.L("转盘项目（2–7 项）", "Wheel Items (2–7)", pane.language)
                    font.pixelSize: Theme.fontControl
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.textBright
                    Accessible.name: text
                }

                Text {
                    objectName: "weightSummary"
                    Layout.alignment: Qt.AlignBaseline
                    Layout.fillWidth: true
                    text: values.weightSummaryText
                    font.pixelSize: Theme.fontLabel
                    font.weight: Theme.fontWeightLabel
                    color: pane.secondary
                    Accessible.name: text
                }
            }

            Rectangle {
                width: parent.width
                height: 1
                color: Theme.separator
            }

            RowLayout {
                x: 1
                width: parent.width - 2
                spacing: 10

                Repeater {
                    // The rows' columns with their alignments; the title's grows to fill.
                    model: [{ "width": pane.columnWidths.symbol, "zh": "", "en": "" },
                        { "width": pane.columnWidths.title, "zh": "内容", "en": "Content", "fills": true },
                        { "width": pane.columnWidths.weight, "zh": "权重", "en": "Weight", "trailing": true },
                        { "width": pane.columnWidths.probability, "zh": "概率", "en": "Probability", "trailing": true },
                        { "width": pane.columnWidths.health, "zh": "健康分", "en": "Health" },
                        { "width": pane.columnWidths.trash, "zh": "", "en": "" }]

                    delegate: Text {
                        required property var modelData
                        Accessible.name: text

                        Layout.preferredWidth: modelData.width
                        Layout.minimumWidth: modelData.width
                        Layout.fillWidth: modelData.fills === true
                        horizontalAlignment: modelData.trailing ? Text.AlignRight : Text.AlignLeft
                        text: Texts.L(modelData.zh, modelData.en, pane.language)
                        font.pixelSize: Theme.fontCaption
                        font.weight: Theme.fontWeightEmphasis
                        color: pane.secondary
                        elide: Text.ElideRight
                    }
                }
            }

            Repeater {
                model: itemsModel

                // The delegate holds its row's values itself, so that its row's bindings never read the
                // model's object for the row, which a removal destroys before the delegate.
                delegate: Column {
                    id: entry

                    required property int index
                    required property string id
                    required property string title
                    required property string weightText
                    required property string probabilityText
                    required property int healthScore
                    required property string healthLabel
                    required property bool canDecreaseHealth
                    required property bool canIncreaseHealth
                    required property string symbol
                    required property string glyph
                    required property string deleteHelp
                    required property bool showsDivider

                    width: itemsColumn.width
                    spacing: 10

                    WheelItemRow {
                        width: parent.width
                        session: pane.session
                        items: itemsModel
                        columnWidths: pane.columnWidths
                        index: entry.index
                        item: entry
                    }

                    Rectangle {
                        visible: entry.showsDivider
                        width: parent.width
                        height: 1
                        color: Theme.separator
                    }
                }
            }

            // The card's full width, its label at the leading edge.
            SettingsButton {
                id: addButton

                objectName: "addItemButton"
                width: parent.width
                visible: itemsModel.canAddItem
                text: Texts.text("添加项目", pane.language)
                onClicked: itemsModel.addItem()

                contentItem: AddLabel {
                    text: addButton.text
                    font: addButton.font
                }
            }
        }
    }

    // A type of its own, whose ids stay inside it, so that the button makes it when it needs it.
    component AddLabel: Item {
        id: content

        required property string text
        required property font font

        implicitWidth: addLabel.implicitWidth
        implicitHeight: addLabel.implicitHeight

        ButtonSymbolLabel {
            id: addLabel

            width: implicitWidth
            height: parent.height
            symbol: "plus"
            text: content.text
            color: Theme.textPrimary
            font: content.font
            spacing: 6
        }
    }
}
