pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The symbol picker of one wheel item, beside the item's symbol button: a search field, the categories
// and a grid of the catalogue's symbols, the item's own one filled with the accent. A tap applies a
// symbol at once and leaves the picker open; Done, Escape or a press outside closes it.
Popup {
    id: picker

    required property Item anchor
    required property string language
    required property color accent
    // The edited item's symbol name.
    required property string selection

    signal chosen(string name)
    signal dismissed

    parent: anchor
    x: anchor.width + 8
    y: (anchor.height - height) / 2
    width: 520
    height: 430
    // Kept inside the sheet, whatever row it is beside.
    margins: 12
    padding: 18
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    Component.onCompleted: open()
    onClosed: dismissed()

    background: Rectangle {
        radius: 14 // own shape
        color: Theme.popupBackground
        border.width: 1
        border.color: Theme.outlineStrong
    }

    SymbolPickerModel {
        id: cells

        language: picker.language
        selection: picker.selection
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 14

        RowLayout {
            Layout.fillWidth: true
            spacing: 12

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2

                Text {
                    Layout.fillWidth: true
                    text: Texts.text("选择项目图标", picker.language)
                    font.pixelSize: Theme.fontButton
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.textBright
                }

                Text {
                    Layout.fillWidth: true
                    text: Texts.text("点击即可应用，使用内置图标", picker.language)
                    font.pixelSize: Theme.fontSmall
                    color: Theme.textSecondary
                }
            }

            SettingsButton {
                objectName: "symbolPickerDone"
                text: Texts.text("完成", picker.language)
                onClicked: picker.close()
            }
        }

        SettingsTextField {
            objectName: "symbolSearchField"
            Accessible.name: placeholderText
            Layout.fillWidth: true
            focus: true
            placeholderText: Texts.text("搜索图标，例如：散步、睡眠、heart", picker.language)
            onTextEdited: cells.searchText = text
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 10

            Text {
                text: Texts.text("分类", picker.language)
                font.pixelSize: Theme.fontLabel
                color: Theme.textNavigation
            }

            Row {
                Layout.fillWidth: true

                Repeater {
                    id: categoryButtons

                    model: cells.categories

                    delegate: SettingsButton {
                        required property var modelData

                        objectName: "symbolCategory_" + modelData.category
                        width: parent.width / categoryButtons.count
                        leftPadding: 4
                        rightPadding: 4
                        // Bound, never toggled: a click on the chosen category must leave it chosen.
                        prominent: cells.category === modelData.category
                        tint: picker.accent
                        text: modelData.label
                        onClicked: cells.category = modelData.category
                    }
                }
            }
        }

        GridView {
            id: grid

            objectName: "symbolGrid"
            // Cells are made as they come into sight, never ahead in the background: a filter that
            // changes while one is still being made would leave the view cancelling a cell that is gone.
            cacheBuffer: 0
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            // Six columns 8 apart: each cell keeps its gap on the right and below.
            cellWidth: (width - 10 + 8) / 6
            cellHeight: 66 + 8
            model: cells
            boundsBehavior: Flickable.StopAtBounds
            // One stop for Tab; the arrow keys move among the cells and Return or Space applies one.
            activeFocusOnTab: true
            Keys.onReturnPressed: chooseCurrent()
            Keys.onEnterPressed: chooseCurrent()
            Keys.onSpacePressed: chooseCurrent()

            function chooseCurrent() {
                if (currentItem)
                    picker.chosen(cells.nameAt(currentIndex));
            }
            ScrollBar.vertical: ScrollBar {
                policy: ScrollBar.AsNeeded
            }

            // Over the view, not in its scrolling content.
            Text {
                objectName: "noSymbolMatches"
                parent: grid
                anchors.centerIn: parent
                visible: grid.count === 0
                text: Texts.text("没有匹配的图标", picker.language)
                font.pixelSize: Theme.fontBody
                color: Theme.textSecondary
            }

            delegate: Rectangle {
                id: cell

                required property string name
                required property string label
                required property string glyph
                required property bool selected
                readonly property color foreground: selected ? Theme.textOnAccent : Theme.textBright

                objectName: "symbolCell_" + name
                width: grid.cellWidth - 8
                height: 66
                radius: Theme.radiusCell
                color: selected ? picker.accent : Theme.controlFill
                border.width: 1
                border.color: selected ? Theme.textFaint : Theme.outline
                // In the user's words, not the symbol's catalogue name; also on the cell the arrows reach.
                ToolTip.visible: hover.hovered || (GridView.isCurrentItem && grid.activeFocus)
                ToolTip.text: label

                Column {
                    anchors.centerIn: parent
                    width: parent.width - 8
                    spacing: 7

                    Text {
                        width: parent.width
                        height: 28
                        text: cell.glyph
                        font.family: Fonts.symbolFamily
                        font.pixelSize: Theme.fontSheetTitle
                        font.weight: Theme.fontWeightLabel
                        color: cell.foreground
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }

                    Text {
                        width: parent.width
                        text: cell.label
                        font.pixelSize: Theme.fontSmall
                        font.weight: Theme.fontWeightLabel
                        color: cell.foreground
                        horizontalAlignment: Text.AlignHCenter
                        maximumLineCount: 1
                        elide: Text.ElideRight
                    }
                }

                HoverHandler {
                    id: hover
                }

                FocusRing {
                    shown: cell.GridView.isCurrentItem && grid.activeFocus
                    cornerRadius: 10
                }

                TapHandler {
                    onTapped: picker.chosen(cell.name)
                }
            }
        }
    }
}
