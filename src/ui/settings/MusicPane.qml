import QtQuick
import Quorvane.Common
import Quorvane.Settings

// The music pane: the focus playlist's editor above the break playlist's. Both edit the working copy,
// so nothing reaches the player before Save.
SettingsPaneStack {
    id: pane

    required property SettingsSession session

    title: session.headingTitle
    subtitle: session.headingSubtitle

    PlaylistEditor {
        objectName: "focusPlaylistEditor"
        width: pane.width
        title: Texts.text("专注音乐", pane.session.language)
        subtitle: Texts.text("在专注时段中循环播放；默认关闭", pane.session.language)
        emptyMessage: Texts.text("拖入专注音乐，或点击“添加音乐”", pane.session.language)
        playlist: pane.session.focusPlaylist
        accent: pane.session.accent
        language: pane.session.language
    }

    PlaylistEditor {
        objectName: "reminderPlaylistEditor"
        width: pane.width
        title: Texts.text("提醒音乐", pane.session.language)
        subtitle: Texts.text("专注结束后循环播放；列表为空时使用系统提示音", pane.session.language)
        emptyMessage: Texts.text("拖入提醒音乐，或点击“添加音乐”", pane.session.language)
        playlist: pane.session.reminderPlaylist
        accent: pane.session.accent
        language: pane.session.language
    }
}
