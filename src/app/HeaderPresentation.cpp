#include "app/HeaderPresentation.h"

namespace {

HeaderButton headerSwitch(AppLanguage language, bool isOn, const QString &onSymbol, const QString &offSymbol,
    const QString &title, const QString &detail)
{
    return { isOn ? onSymbol : offSymbol, title, detail, isOn,
        isOn ? localized(language, QStringLiteral("已开启"), QStringLiteral("On"))
             : localized(language, QStringLiteral("已关闭"), QStringLiteral("Off")) };
}

QString trackingDetail(const HeaderPresentation::State &state)
{
    const AppLanguage language = state.language;
    const bool wayland = state.windowSystem == WindowSystem::wayland;
    if (state.trackingState == WorkTrackingState::permissionRequired && wayland)
        return localized(language, QStringLiteral("没有活动来源 · 点击改为按自然经过时间计时"),
            QStringLiteral("No activity source · Click to count elapsed time"));
    if (state.trackingState == WorkTrackingState::permissionRequired)
        return localized(language, QStringLiteral("待授权 · 点击查看 X11 输入权限"),
            QStringLiteral("Permission needed · Click for X11 input access"));
    if (state.isActivityTrackingOn)
        return localized(language, QStringLiteral("已开启 · 只累计键盘与鼠标活跃时间"),
            QStringLiteral("On · Counts keyboard and mouse activity only"));
    if (state.inputAccessMissing)
        return localized(language, QStringLiteral("已关闭 · 此会话不提供键盘与鼠标活动，按自然经过时间计时"),
            QStringLiteral("Off · This session reports no keyboard or mouse activity; counts elapsed time"));
    return localized(language, QStringLiteral("已关闭 · 按自然经过时间连续计时"),
        QStringLiteral("Off · Counts continuously by elapsed time"));
}

} // namespace

HeaderPresentation HeaderPresentation::make(const State &state)
{
    const AppLanguage language = state.language;
    const auto pair = [language](const char16_t *chinese, const char16_t *english) {
        return localized(language, QString::fromUtf16(chinese), QString::fromUtf16(english));
    };
    const QString n = QString::number(state.sessionNumber);
    const QString s = QString::number(state.todayHealthScore);
    const QString c = QString::number(state.todayCompletedSessions);

    HeaderPresentation header;
    const QString roundText = pair(u"第 ", u"Round ") + n + pair(u" 轮", u"");
    header.round = { QStringLiteral("timer"), roundText, roundText, pair(u"当前轮次", u"Current Round"),
        pair(u"今天正在进行第 ", u"Focus round ") + n + pair(u" 个番茄", u" for today") };
    header.health = { QStringLiteral("heart.fill"), s + pair(u" 健康分", u" Health"),
        pair(u"今日健康分 ", u"Health today: ") + s, pair(u"今日健康分", u"Today's Health"),
        pair(u"完成休整项目后累计获得的健康分", u"Health points earned from completed break activities") };
    header.completed
        = { QStringLiteral("checkmark.circle.fill"), pair(u"完成 ", u"") + c + pair(u" 项", u" Completed"),
              pair(u"今日番茄 ", u"Focus rounds today: ") + c, pair(u"今日番茄", u"Focus Rounds Today"),
              pair(u"今天完整完成的专注时段数量", u"Focus sessions fully completed today") };
    header.developerCorner
        = { QStringLiteral("cup.and.saucer.fill"), pair(u"和开发者谈心", u"Talk to Developer"),
              pair(u"写信反馈、给开发者买杯咖啡，或读一读柯帆的由来",
                  u"Send feedback, buy the developer a coffee, or read Quorvane's story"),
              false, QString() };

    header.tracking
        = headerSwitch(language, state.isActivityTrackingOn, QStringLiteral("keyboard.badge.ellipsis"),
            QStringLiteral("keyboard"), pair(u"活动监测", u"Track Activity"), trackingDetail(state));
    header.windowOnTop = headerSwitch(language, state.keepWindowOnTop, QStringLiteral("pin.fill"),
        QStringLiteral("pin.slash"), pair(u"窗口置顶", u"Always on Top"),
        state.windowSystem == WindowSystem::wayland
            ? pair(u"Wayland 不允许窗口停留在其他应用之上", u"Wayland lets no window stay above other apps")
            : state.keepWindowOnTop
            ? pair(u"已开启 · 窗口不会被其他应用遮挡", u"On · The window stays above other apps")
            : pair(u"已关闭 · 使用普通窗口层级", u"Off · Uses the normal window level"));
    header.overlay
        = headerSwitch(language, state.backgroundOverlayEnabled, QStringLiteral("circle.lefthalf.filled"),
            QStringLiteral("sun.max.fill"), pair(u"图片蒙版", u"Background Overlay"),
            state.backgroundOverlayEnabled
                ? pair(u"已开启 · 提升文字与控件的对比度", u"On · Improves text and control contrast")
                : pair(u"已关闭 · 背景以原色呈现", u"Off · Shows the background in its original colors"));

    header.journal = { QStringLiteral("note.text"), pair(u"工作日志", u"Notes Journal"),
        pair(u"按日历查看专注笔记与休整活动时间线",
            u"Browse focus notes and break activities on a daily timeline"),
        false, QString() };
    header.statistics = { QStringLiteral("chart.xyaxis.line"), pair(u"每日统计", u"Daily Insights"),
        pair(
            u"查看健康分、番茄数量与专注时长趋势", u"Review health, completed rounds, and focus-time trends"),
        false, QString() };
    header.settings = { QStringLiteral("slider.horizontal.3"), pair(u"设置", u"Settings"),
        pair(u"调整计时、音乐、画面、转盘与安全选项",
            u"Adjust timing, music, visuals, wheel, and safety options"),
        false, QString() };
    header.commandsEnabled = !state.keyboardIsLocked;
    return header;
}
