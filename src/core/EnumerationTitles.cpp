#include "core/AudioPlaybackMode.h"
#include "core/AudioPlaylistKind.h"
#include "core/WorkTrackingState.h"

QString title(WorkTrackingState state, AppLanguage language)
{
    switch (state) {
    case WorkTrackingState::permissionRequired:
        return localized(
            language, QStringLiteral("等待 X11 输入权限"), QStringLiteral("X11 Input Access Required"));
    case WorkTrackingState::waitingForActivity:
        return localized(language, QStringLiteral("等待你开始工作"), QStringLiteral("Waiting for Activity"));
    case WorkTrackingState::tracking:
        return localized(language, QStringLiteral("专注计时中"), QStringLiteral("Focus in Progress"));
    case WorkTrackingState::idlePaused:
        return localized(
            language, QStringLiteral("工作已中断 · 计时暂停"), QStringLiteral("Inactive · Timer Paused"));
    case WorkTrackingState::manuallyPaused:
        return localized(language, QStringLiteral("计时已暂停"), QStringLiteral("Timer Paused"));
    }
    return {};
}

QString title(WorkTrackingState state, AppLanguage language, WindowSystem windowSystem)
{
    if (state == WorkTrackingState::permissionRequired && windowSystem == WindowSystem::wayland)
        return localized(language, QStringLiteral("没有活动来源"), QStringLiteral("No Activity Source"));
    return title(state, language);
}

QString title(AudioPlaylistKind kind, AppLanguage language)
{
    switch (kind) {
    case AudioPlaylistKind::focus:
        return localized(language, QStringLiteral("专注音乐"), QStringLiteral("Focus Music"));
    case AudioPlaylistKind::reminder:
        return localized(language, QStringLiteral("提醒音乐"), QStringLiteral("Break Music"));
    }
    return {};
}

QString title(AudioPlaybackMode mode, AppLanguage language)
{
    switch (mode) {
    case AudioPlaybackMode::sequential:
        return localized(language, QStringLiteral("顺序播放"), QStringLiteral("In order"));
    case AudioPlaybackMode::shuffle:
        return localized(language, QStringLiteral("随机播放"), QStringLiteral("Shuffle"));
    }
    return {};
}
