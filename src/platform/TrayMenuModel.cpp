#include "platform/TrayMenuModel.h"

namespace {

using Entry = TrayMenuModel::Entry;
using EntryKind = TrayMenuModel::EntryKind;
using Action = TrayMenuModel::Action;

Entry actionEntry(QString text, Action action, bool enabled = true)
{
    return Entry { EntryKind::action, std::move(text), enabled, action };
}

Entry textEntry(QString text)
{
    return Entry { EntryKind::text, std::move(text), false, Action::none };
}

Entry separator()
{
    return Entry { EntryKind::separator, {}, false, Action::none };
}

} // namespace

TrayMenuModel TrayMenuModel::make(SessionPhase phase, WorkTrackingState trackingState, AppLanguage language,
    const QString &timeText, qint64 secondsRemaining, bool canCheckForUpdates, WindowSystem windowSystem)
{
    const bool inFocus = phase == SessionPhase::Focus;
    TrayMenuModel model;
    model.iconSymbol = inFocus ? QStringLiteral("timer") : QStringLiteral("figure.mind.and.body");
    const qint64 minutesLeft = (std::max<qint64>(secondsRemaining, 0) + 59) / 60;
    model.toolTip = inFocus
        ? localized(language, QStringLiteral("柯帆 · 还剩 %1 分钟"), QStringLiteral("Quorvane · %1 min left"))
              .arg(minutesLeft)
        : localized(language, QStringLiteral("柯帆 · 正在休息"), QStringLiteral("Quorvane · Taking a Break"));

    model.entries.append(
        actionEntry(localized(language, QStringLiteral("显示柯帆"), QStringLiteral("Show Quorvane")),
            Action::showMainWindow));
    model.entries.append(separator());
    if (inFocus) {
        model.entries.append(
            textEntry(title(trackingState, language, windowSystem) + QStringLiteral(" · ") + timeText));
        if (trackingState == WorkTrackingState::permissionRequired) {
            model.entries.append(actionEntry(localized(language, QStringLiteral("授予活动监测权限"),
                                                 QStringLiteral("Grant Activity Access")),
                Action::enableAutomaticTracking));
        } else {
            model.entries.append(textEntry(localized(language, QStringLiteral("键盘或鼠标活动自动开始或恢复"),
                QStringLiteral("Keyboard or mouse activity starts and resumes focus"))));
        }
    } else {
        model.entries.append(
            textEntry(localized(language, QStringLiteral("正在休息"), QStringLiteral("Taking a Break"))));
    }
    model.entries.append(
        actionEntry(localized(language, QStringLiteral("每日统计"), QStringLiteral("Daily Insights")),
            Action::showDailyInsights));
    model.entries.append(
        actionEntry(localized(language, QStringLiteral("检查更新…"), QStringLiteral("Check for Updates…")),
            Action::checkForUpdates, canCheckForUpdates));
    model.entries.append(
        actionEntry(localized(language, QStringLiteral("打开 CSV 记录"), QStringLiteral("Open CSV Log")),
            Action::openActivityLog));
    model.entries.append(separator());
    model.entries.append(
        actionEntry(localized(language, QStringLiteral("退出"), QStringLiteral("Quit")), Action::quit));
    return model;
}
