import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// One wheel item of the wheel pane: its symbol button (which opens the symbol picker beside it), title,
// weight text, share of the wheel, health score and delete button. Every value comes ready from the
// items model and every edit goes back to it by row.
RowLayout {
    id: row

    required property SettingsSession session
    required property WheelItemsModel items
    required property int index
    // The model's row: id, title, weightText, probabilityText, healthScore, healthLabel,
    // canDecreaseHealth, canIncreaseHealth, glyph, symbol, deleteHelp.
    required property var item
    // The pane's column widths, shared with the table's header.
    required property var columnWidths
    readonly property bool pickerOpen: session.symbolPickerItemId === item.id

    spacing: 10

    Button {
        id: symbolButton

        objectName: "symbolButton_" + row.index
        Layout.preferredWidth: row.columnWidths.symbol
        Layout.preferredHeight: 30
        padding: 0
        hoverEnabled: true
        onClicked: row.items.openSymbolPicker(row.item.id)
        Accessible.name: Texts.named(ToolTip.text, row.item.title, row.session.language)
        ToolTip.visible: (hovered || visualFocus) && !row.pickerOpen
        ToolTip.text: Texts.text("从图标库选择", row.session.language)
        Accessible.onPressAction: if (enabled) clicked()

        contentItem: Text {
            objectName: "symbolGlyph_" + row.index
            text: row.item.glyph
            font.family: Fonts.symbolFamily
            font.pixelSize: Theme.fontSubheading
            font.weight: Theme.fontWeightLabel
            color: row.session.accent
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        background: Rectangle {
            radius: Theme.radiusButton
            color: symbolButton.down ? Theme.controlOutline : Theme.controlFill
        }

        FocusRing {
            cornerRadius: 8
        }

        // Unbound components, as Qt 6.4's Loader needs them in this file (it makes no bound one):
        // the QML tools of 6.4 do not follow them to the file's ids.
        // qmllint disable unqualified
        // Made afresh at every opening, so that the picker starts on every category with no search. A
        // loader makes items only, hence the holder.
        Loader {
            active: row.pickerOpen
            sourceComponent: Item {
                WheelSymbolPicker {
                    objectName: "symbolPicker"
                    anchor: symbolButton
                    language: row.session.language
                    accent: row.session.accent
                    selection: row.item.symbol
                    onChosen: name => row.items.setSymbol(row.index, name)
                    onDismissed: row.items.dismissSymbolPicker(row.item.id)
                }
            }
        }
        // qmllint enable unqualified
    }

    SettingsTextField {
        objectName: "titleField_" + row.index
        // Named by its place: the title it holds is its value, and every row's field is an item.
        Accessible.name: Texts.named(placeholderText, String(row.index + 1), row.session.language)
        Layout.minimumWidth: row.columnWidths.title
        Layout.fillWidth: true
        text: row.item.title
        // A name the user typed: Latin face first, whatever the interface's language.
        font.family: Fonts.nameFamily
        placeholderText: Texts.text("项目内容", row.session.language)
        onTextEdited: row.items.setTitle(row.index, text)
    }

    SettingsTextField {
        id: weightField

        // The weight a refused save stopped at: marked until its text changes, and given the keys once
        // the alert that explains it closes.
        readonly property bool refused: row.session.invalidWeightItemId === row.item.id

        objectName: "weightField_" + row.index
        Accessible.name: Texts.named(Texts.L("权重", "Weight", row.session.language), row.item.title,
                                     row.session.language)
        Layout.preferredWidth: row.columnWidths.weight
        horizontalAlignment: TextInput.AlignRight
        text: row.item.weightText
        placeholderText: Texts.text("10", row.session.language)
        invalid: refused
        onTextEdited: row.items.setWeightText(row.index, text)

        Connections {
            target: row.session

            // Later than the alert's own return of the keys to where they were.
            function onShowingWeightErrorChanged() {
                if (!row.session.showingWeightError && weightField.refused)
                    Qt.callLater(weightField.forceActiveFocus);
            }
        }
    }

    Text {
        objectName: "probability_" + row.index
        Layout.preferredWidth: row.columnWidths.probability
        horizontalAlignment: Text.AlignRight
        text: row.item.probabilityText
        font.pixelSize: Theme.fontLabel
        font.weight: Theme.fontWeightLabel
        color: Theme.accentBright(row.session.accent)
        Accessible.name: text
    }

    // A hand-edited score outside 0–100 shows as it is until the user steps it back inside.
    ValueStepper {
        name: "health" + row.index
        Layout.preferredWidth: row.columnWidths.health
        spacing: 2
        buttonWidth: 26
        buttonHeight: 24
        labelWidth: row.columnWidths.health - 2 * buttonWidth - 2 * spacing
        labelSize: Theme.fontLabel
        labelWeight: Theme.fontWeightLabel
        label: row.item.healthLabel
        value: row.item.healthScore
        minimumValue: row.items.healthScoreMinimum
        maximumValue: row.items.healthScoreMaximum
        title: Texts.named(Texts.L("健康分", "Health", row.session.language), row.item.title, row.session.language)
        language: row.session.language
        canDecrease: row.item.canDecreaseHealth
        canIncrease: row.item.canIncreaseHealth
        onStepped: direction => row.items.stepHealthScore(row.index, direction)
    }

    // Never disabled: under three items a press explains why nothing is removed.
    Button {
        id: deleteButton

        objectName: "deleteButton_" + row.index
        Layout.preferredWidth: row.columnWidths.trash
        Layout.preferredHeight: 22
        padding: 0
        flat: true
        hoverEnabled: true
        onClicked: row.items.remove(row.index)
        Accessible.name: Texts.named(ToolTip.text, row.item.title, row.session.language)
        ToolTip.visible: hovered || visualFocus
        ToolTip.text: row.item.deleteHelp
        Accessible.onPressAction: if (enabled) clicked()

        contentItem: SymbolIcon {
            name: "trash"
            size: Theme.fontSubheading
            color: deleteButton.down ? Theme.dangerPressed : Theme.danger
        }

        background: Item {}

        FocusRing {
            cornerRadius: 6
        }
    }
}
