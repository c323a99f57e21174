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
    const auto command = [language](const QString &symbol, const QString &chinese, const QString &english,
                             const QString &chineseDetail, const QString &englishDetail) {
        return HeaderButton { symbol, localized(language, chinese, english),
            localized(language, chineseDetail, englishDetail), false, QString() };
    };
    const qint64 n = state.sessionNumber;
    const qint64 s = state.todayHealthScore;
    const qint64 c = state.todayCompletedSessions;

    HeaderPresentation header;
    const QString roundText
        = localized(language, QStringLiteral("第 %1 轮"), QStringLiteral("Round %1")).arg(n);
    header.round = { QStringLiteral("timer"), roundText, roundText,
        localized(language, QStringLiteral("当前轮次"), QStringLiteral("Current Round")),
        localized(
            language, QStringLiteral("今天正在进行第 %1 个番茄"), QStringLiteral("Focus round %1 for today"))
            .arg(n) };
    header.health = { QStringLiteral("heart.fill"),
        localized(language, QStringLiteral("%1 健康分"), QStringLiteral("%1 Health")).arg(s),
        localized(language, QStringLiteral("今日健康分 %1"), QStringLiteral("Health today: %1")).arg(s),
        localized(language, QStringLiteral("今日健康分"), QStringLiteral("Today's Health")),
        localized(language, QStringLiteral("完成休整项目后累计获得的健康分"),
            QStringLiteral("Health points earned from completed break activities")) };
    header.completed = { QStringLiteral("checkmark.circle.fill"),
        localized(language, QStringLiteral("完成 %1 项"), QStringLiteral("%1 Completed")).arg(c),
        localized(language, QStringLiteral("今日番茄 %1"), QStringLiteral("Focus rounds today: %1")).arg(c),
        localized(language, QStringLiteral("今日番茄"), QStringLiteral("Focus Rounds Today")),
        localized(language, QStringLiteral("今天完整完成的专注时段数量"),
            QStringLiteral("Focus sessions fully completed today")) };
    header.developerCorner = command(QStringLiteral("cup.and.saucer.fill"), QStringLiteral("和开发者谈心"),
        QStringLiteral("Talk to Developer"), QStringLiteral("写信反馈、给开发者买杯咖啡，或读一读柯帆的由来"),
        QStringLiteral("Send feedback, buy the developer a coffee, or read Quorvane's story"));

    header.tracking = headerSwitch(language, state.isActivityTrackingOn,
        QStringLiteral("keyboard.badge.ellipsis"), QStringLiteral("keyboard"),
        localized(language, QStringLiteral("活动监测"), QStringLiteral("Track Activity")),
        trackingDetail(state));
    header.windowOnTop = headerSwitch(language, state.keepWindowOnTop, QStringLiteral("pin.fill"),
        QStringLiteral("pin.slash"),
        localized(language, QStringLiteral("窗口置顶"), QStringLiteral("Always on Top")),
        state.windowSystem == WindowSystem::wayland
            ? localized(language, QStringLiteral("Wayland 不允许窗口停留在其他应用之上"),
                QStringLiteral("Wayland lets no window stay above other apps"))
            : state.keepWindowOnTop ? localized(language, QStringLiteral("已开启 · 窗口不会被其他应用遮挡"),
                  QStringLiteral("On · The window stays above other apps"))
                                    : localized(language, QStringLiteral("已关闭 · 使用普通窗口层级"),
                                        QStringLiteral("Off · Uses the normal window level")));
    header.overlay = headerSwitch(language, state.backgroundOverlayEnabled,
        QStringLiteral("circle.lefthalf.filled"), QStringLiteral("sun.max.fill"),
        localized(language, QStringLiteral("图片蒙版"), QStringLiteral("Background Overlay")),
        state.backgroundOverlayEnabled
            ? localized(language, QStringLiteral("已开启 · 提升文字与控件的对比度"),
                QStringLiteral("On · Improves text and control contrast"))
            : localized(language, QStringLiteral("已关闭 · 背景以原色呈现"),
                QStringLiteral("Off · Shows the background in its original colors")));

    header.journal = command(QStringLiteral("note.text"), QStringLiteral("工作日志"),
        QStringLiteral("Notes Journal"), QStringLiteral("按日历查看专注笔记与休整活动时间线"),
        QStringLiteral("Browse focus notes and break activities on a daily timeline"));
    header.statistics = command(QStringLiteral("chart.xyaxis.line"), QStringLiteral("每日统计"),
        QStringLiteral("Daily Insights"), QStringLiteral("查看健康分、番茄数量与专注时长趋势"),
        QStringLiteral("Review health, completed rounds, and focus-time trends"));
    header.settings = command(QStringLiteral("slider.horizontal.3"), QStringLiteral("设置"),
        QStringLiteral("Settings"), QStringLiteral("调整计时、音乐、画面、转盘与安全选项"),
        QStringLiteral("Adjust timing, music, visuals, wheel, and safety options"));
    header.commandsEnabled = !state.keyboardIsLocked;
    return header;
}
