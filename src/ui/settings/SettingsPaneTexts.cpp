#include "ui/settings/SettingsPaneTexts.h"

#include "core/StringTable.h"

SettingsPaneTexts SettingsPaneTexts::make(
    AppLanguage language, const QString &dataFolder, WindowSystem windowSystem)
{
    const auto key = [language](const QString &chinese) { return StringTable::text(chinese, language); };
    const auto pair = [language](const QString &chinese, const QString &english) {
        return localized(language, chinese, english);
    };

    SettingsPaneTexts texts;
    texts.sessionMinutesTitle = key(QStringLiteral("每轮有效工作时长"));
    texts.sessionMinutesDetail = key(QStringLiteral("累计达到该时长后进入休息"));
    texts.idleMinutesTitle = key(QStringLiteral("空闲后自动暂停"));
    texts.idleMinutesDetail = key(QStringLiteral("再次按键、移动或点击鼠标会恢复"));
    texts.privacyNote
        = key(QStringLiteral("只记录活动发生的时间；不读取或保存按键内容、鼠标坐标、点击目标或滚动内容。"));

    texts.languageHeading = pair(QStringLiteral("界面语言"), QStringLiteral("Interface Language"));
    texts.languageNote = pair(
        QStringLiteral(
            "切换后设置界面会立即预览；保存后，主界面、菜单栏、统计、提醒与休整界面会统一使用所选语言。"),
        QStringLiteral("Settings preview the change immediately. After saving, the main window, menu bar, "
                       "insights, alerts, and break screens all use the selected language."));
    texts.keepOnTopTitle = key(QStringLiteral("窗口始终悬浮在上"));
    texts.keepOnTopDetail = key(QStringLiteral("开启后，柯帆主窗口不会被其他应用窗口遮挡"));
    texts.startAtLoginTitle = pair(QStringLiteral("登录时启动"), QStringLiteral("Start at Login"));
    texts.startAtLoginDetail = pair(QStringLiteral("登录后柯帆在托盘中启动；没有托盘时显示窗口"),
        QStringLiteral(
            "Quorvane starts in the tray when you log in, or with its window where there is no tray"));
    texts.productName = pair(QStringLiteral("柯帆"), QStringLiteral("Quorvane"));
    texts.otherName = pair(QStringLiteral("英文名：Quorvane"), QStringLiteral("Chinese name: 柯帆"));
    texts.tagline = pair(QStringLiteral("在专注与休整之间，保持长久的节律。"),
        QStringLiteral("A lasting rhythm between focus and release."));

    texts.activityLogTitle = key(QStringLiteral("休息项目与健康分 CSV"));
    texts.focusLogTitle = key(QStringLiteral("已完成番茄 CSV"));
    texts.inputHeading = key(QStringLiteral("输入监测与键盘安全"));
    texts.inputNote = key(QStringLiteral("X11 输入访问用于发现键盘与鼠标活动，并在休息时丢弃键盘事件；"
                                         "不会记录输入内容，也不会暂停 AI、终端、构建、下载或网络连接。"));
    texts.emergencyUnlock = key(QStringLiteral("应急解锁：Ctrl + Alt + Super + Esc"));
    texts.inputAccessButton = key(QStringLiteral("X11 输入权限说明"));
    if (windowSystem == WindowSystem::wayland) {
        texts.keepOnTopDetail = pair(QStringLiteral("Wayland 不允许窗口停留在其他应用之上"),
            QStringLiteral("Wayland lets no window stay above other apps"));
        texts.inputNote = pair(
            QStringLiteral(
                "在 Wayland 上，柯帆只从桌面的空闲通知得知键盘与鼠标活动（桌面提供时）；休息时由休息窗口"
                "接收按键，并请桌面把快捷键也交给它。不会记录输入内容，也不会暂停 AI、终端、构建、下载"
                "或网络连接。"),
            QStringLiteral(
                "On Wayland, Quorvane learns of keyboard and mouse activity only from the desktop's idle "
                "notifications, where the desktop offers them; during breaks the break window takes the "
                "keys and asks the desktop for its shortcuts too. Nothing you type is recorded, and AI, "
                "terminals, builds, downloads and network connections are never paused."));
        texts.showsInputAccessButton = false;
    }

    texts.versionCaption = pair(QStringLiteral("当前版本"), QStringLiteral("Current Version"));
    texts.channelLine
        = pair(QStringLiteral("正式更新通道 · Linux 版本"), QStringLiteral("Stable channel · Linux build"));
    texts.noFeedNote
        = pair(QStringLiteral("此版本未配置更新源，无法在应用内检查更新；请用安装柯帆的方式更新。"),
            QStringLiteral("This build has no update feed, so Quorvane cannot check for updates itself. "
                           "Update it the way you installed it."));
    texts.checkButton = pair(QStringLiteral("保存并检查…"), QStringLiteral("Save & Check…"));
    texts.checkTooltip = pair(QStringLiteral("保存当前设置并打开独立更新窗口"),
        QStringLiteral("Save current settings and open the updater"));
    texts.automaticChecksTitle = pair(QStringLiteral("自动检查"), QStringLiteral("Automatic Checks"));
    texts.automaticChecksNote
        = pair(QStringLiteral("柯帆在后台每四小时静默检查一次；发现新版本后由你决定是否下载和安装。"),
            QStringLiteral("Quorvane checks quietly every four hours. You decide whether to download and "
                           "install an available update."));
    texts.sourceTitle = pair(QStringLiteral("安全来源"), QStringLiteral("Trusted Source"));
    texts.sourceNote
        = pair(QStringLiteral("更新信息只通过 HTTPS 获取；软件包由发行版的软件包管理器校验签名后安装。"),
            QStringLiteral("Update information is fetched over HTTPS only; packages are installed by your "
                           "distribution's package manager after it verifies their signatures."));
    texts.dataFolderNote
        = pair(QStringLiteral("更新只替换应用本身，不会改动 %1 中的设置、媒体、番茄记录与 Notes。"),
            QStringLiteral("Updates replace only the app. Settings, media, focus history, and notes in "
                           "%1 stay untouched."))
              .arg(dataFolder);
    return texts;
}
