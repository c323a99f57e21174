pragma ComponentBehavior: Bound
import QtQuick
import Qt.labs.platform as Platform
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The palette: derived from the background, or, with the automatic palette off, picked colour by colour.
SettingsCard {
    id: card

    required property SettingsSession session
    required property AppearanceSettings values
    readonly property bool pickerOpen: colorDialog.visible

    // A dialog still open when the sheet closes would keep its modal layer over the next opening.
    Component.onDestruction: colorDialog.close()

    component Swatch: Row {
        required property string label
        required property color swatchColor

        spacing: 6

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 18
            height: 18
            radius: 9 // own shape
            color: parent.swatchColor
            border.width: 1
            border.color: Theme.placeholder
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: parent.label
            font.pixelSize: Theme.fontLabel
            color: Theme.textSecondary
            Accessible.name: text
        }
    }

    // A colour picker's button: the colour in a small well, then its label; a press opens the dialog on it.
    component PickerButton: SettingsButton {
        id: picker

        required property int field
        required property color shown

        leftPadding: 10
        onClicked: {
            colorDialog.field = field
            colorDialog.currentColor = shown
            colorDialog.open()
        }

        contentItem: Row {
            spacing: 8

            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                width: 22
                height: 16
                radius: 4 // own shape
                color: picker.shown
                border.width: 1
                border.color: Theme.placeholder
            }

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: picker.text
                font: picker.font
                color: Theme.textPrimary
            }
        }
    }

    Column {
        width: parent.width
        spacing: 16

        RowLayout {
            width: parent.width
            spacing: 11

            SettingsSwitch {
                objectName: "autoPaletteSwitch"
                accent: card.session.accent
                Accessible.name: Texts.text("根据背景自动生成转盘配色", card.session.language)
                checked: card.values.autoPalette
                onToggled: card.values.setAutoPalette(checked)
            }

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 3

                Text {
                    Layout.fillWidth: true
                    text: Texts.text("根据背景自动生成转盘配色", card.session.language)
                    font.pixelSize: Theme.fontControl
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.textBright
                    wrapMode: Text.Wrap
                    Accessible.name: text
                }

                Text {
                    Layout.fillWidth: true
                    text: Texts.text("分析图片或视频首帧，自动调整轮盘、强调色与文字色", card.session.language)
                    font.pixelSize: Theme.fontLabel
                    color: Theme.textSecondary
                    wrapMode: Text.Wrap
                    Accessible.name: text
                }
            }
        }

        RowLayout {
            width: parent.width
            spacing: 12

            Swatch {
                objectName: "wheelBaseSwatch"
                label: Texts.text("轮盘", card.session.language)
                swatchColor: card.values.wheelBaseColor
            }

            Swatch {
                objectName: "accentSwatch"
                label: Texts.text("强调", card.session.language)
                swatchColor: card.values.accentColor
            }

            Swatch {
                objectName: "textSwatch"
                label: Texts.text("文字", card.session.language)
                swatchColor: card.values.textColor
            }

            Item {
                Layout.fillWidth: true
            }

            SettingsButton {
                objectName: "reanalyseButton"
                text: Texts.text("重新分析", card.session.language)
                onClicked: card.values.reanalyse()
            }
        }

        Rectangle {
            visible: !card.values.autoPalette
            width: parent.width
            height: 1
            color: Theme.separator
        }

        Row {
            objectName: "colorPickers"
            visible: !card.values.autoPalette
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 20

            PickerButton {
                objectName: "wheelBasePicker"
                field: AppearanceSettings.WheelBase
                shown: card.values.wheelBaseColor
                text: Texts.text("轮盘底色", card.session.language)
            }

            PickerButton {
                objectName: "accentPicker"
                field: AppearanceSettings.Accent
                shown: card.values.accentColor
                text: Texts.text("强调色", card.session.language)
            }

            PickerButton {
                objectName: "textPicker"
                field: AppearanceSettings.Text
                shown: card.values.textColor
                text: Texts.text("文字色", card.session.language)
            }
        }
    }

    // The desktop's colour dialog, else Qt's widget dialog, which speaks the interface's language (Qt
    // Quick's own has no translations). It offers an opacity control too, but only the colour is stored.
    Platform.ColorDialog {
        id: colorDialog

        property int field: AppearanceSettings.WheelBase

        objectName: "paletteColorDialog"
        options: Platform.ColorDialog.ShowAlphaChannel
        onAccepted: card.values.setPaletteColor(field, color)
    }
}
