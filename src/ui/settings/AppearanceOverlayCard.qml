import QtQuick
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.Settings

// The overlay over the background with its strength, and whether a video background's own sound takes
// priority over the music.
SettingsCard {
    id: card

    required property SettingsSession session
    required property AppearanceSettings values

    Column {
        width: parent.width
        spacing: 16

        SettingRow {
            width: parent.width
            title: Texts.text("背景图片蒙版", card.session.language)
            detail: Texts.text("关闭后，图片或视频将以未经压暗的原色呈现", card.session.language)

            SettingsSwitch {
                objectName: "overlaySwitch"
                accent: card.session.accent
                Accessible.name: Texts.text("背景图片蒙版", card.session.language)
                checked: card.values.overlayEnabled
                onToggled: card.values.setOverlayEnabled(checked)
            }
        }

        RowLayout {
            objectName: "overlayStrengthRow"
            width: parent.width
            spacing: 12
            opacity: card.values.overlayRowOpacity

            SymbolIcon {
                objectName: "overlaySymbol"
                Layout.preferredWidth: 20
                name: card.values.overlaySymbol
                size: Theme.fontSubheading
                color: card.values.overlaySymbolColor
            }

            // The slider shows a stored strength beyond its ends at that end, and writes only when moved.
            SettingsSlider {
                objectName: "overlaySlider"
                Accessible.name: Texts.text("蒙版强度", card.session.language)
                Layout.fillWidth: true
                from: card.values.overlayMinimum
                to: card.values.overlayMaximum
                value: card.values.overlayOpacity
                enabled: card.values.overlayEnabled
                accent: card.session.accent
                onMoved: card.values.setOverlayOpacity(value)
            }

            Text {
                objectName: "overlayPercent"
                Layout.preferredWidth: 42
                horizontalAlignment: Text.AlignRight
                text: card.values.overlayPercentText
                // Digits of one width, so that the number does not shake while the slider moves.
                font.family: Fonts.timerFamily
                font.pixelSize: Theme.fontBody
                color: Theme.textSecondary
                Accessible.name: text
            }
        }

        Rectangle {
            width: parent.width
            height: 1
            color: Theme.separator
        }

        SettingRow {
            width: parent.width
            title: Texts.text("视频原声优先", card.session.language)
            detail: Texts.text("开启后播放视频原声，并自动暂停专注与提醒音乐", card.session.language)

            SettingsSwitch {
                objectName: "videoAudioSwitch"
                accent: card.session.accent
                Accessible.name: Texts.text("视频原声优先", card.session.language)
                checked: card.values.videoAudioTakesPriority
                enabled: card.values.backgroundIsVideo
                opacity: enabled ? 1 : Theme.opacityDisabledSoft
                onToggled: card.values.setVideoAudioTakesPriority(checked)
            }
        }

        RowLayout {
            objectName: "videoHintRow"
            width: parent.width
            spacing: 10
            opacity: card.values.videoRowOpacity

            SymbolIcon {
                objectName: "videoSymbol"
                name: card.values.videoSymbol
                size: Theme.fontEmphasis
                color: card.values.videoSymbolColor
            }

            Text {
                objectName: "videoHint"
                Layout.fillWidth: true
                text: card.values.videoHint
                font.pixelSize: Theme.fontLabel
                color: Theme.textSecondary
                elide: Text.ElideRight
                Accessible.name: text
            }

            Rectangle {
                objectName: "videoBadge"
                visible: card.values.backgroundIsVideo
                implicitWidth: badgeText.implicitWidth + 16
                implicitHeight: 22
                radius: 11 // own shape
                color: Theme.accentTint(card.session.accent)

                Text {
                    id: badgeText

                    anchors.centerIn: parent
                    text: card.values.videoBadge
                    font.pixelSize: Theme.fontMicro
                    font.bold: true
                    font.letterSpacing: 0.8
                    color: card.session.accent
                    Accessible.name: text
                }
            }
        }
    }
}
