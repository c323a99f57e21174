#include "app/FocusConsolePresentation.h"

#include "core/StringTable.h"

namespace {

QString symbolOf(WorkTrackingState state)
{
    switch (state) {
    case WorkTrackingState::permissionRequired:
        return QStringLiteral("keyboard.badge.ellipsis");
    case WorkTrackingState::waitingForActivity:
        return QStringLiteral("keyboard.and.cursorarrow");
    case WorkTrackingState::tracking:
        return QStringLiteral("waveform.path.ecg");
    case WorkTrackingState::idlePaused:
        return QStringLiteral("pause.circle");
    case WorkTrackingState::manuallyPaused:
        return QStringLiteral("pause.circle.fill");
    }
    return {};
}

} // namespace

FocusConsolePresentation FocusConsolePresentation::make(
    WorkTrackingState state, AppLanguage language, WindowSystem windowSystem, bool activityWithheld)
{
    const bool manuallyPaused = state == WorkTrackingState::manuallyPaused;
    // A round paused by hand keeps its controls: nothing would be counted anyway.
    const bool withheld
        = activityWithheld && !manuallyPaused && state != WorkTrackingState::permissionRequired;
    FocusConsolePresentation presentation;
    presentation.statusTitle = withheld
        ? localized(language, QStringLiteral("另一程序保持屏幕唤醒时，无法计数活动"),
            QStringLiteral("Activity cannot be counted while another program keeps the screen awake"))
        : title(state, language, windowSystem);
    presentation.statusSymbol = withheld ? QStringLiteral("keyboard.badge.ellipsis") : symbolOf(state);
    presentation.showsPermissionButton = withheld || state == WorkTrackingState::permissionRequired;
    presentation.offersElapsedTime = withheld;
    presentation.permissionTitle = withheld
        ? localized(language, QStringLiteral("本轮按自然经过时间计时"),
            QStringLiteral("Count Elapsed Time This Round"))
        : localized(language, QStringLiteral("授予活动监测权限"), QStringLiteral("Grant Activity Access"));
    presentation.permissionSymbol
        = withheld ? QStringLiteral("timer") : QStringLiteral("keyboard.badge.ellipsis");
    presentation.pauseTitle = StringTable::text(
        manuallyPaused ? QStringLiteral("继续计时") : QStringLiteral("暂停计时"), language);
    presentation.pauseSymbol = manuallyPaused ? QStringLiteral("play.fill") : QStringLiteral("pause.fill");
    presentation.pauseIsPrimary = manuallyPaused;
    presentation.pauseSwitchName = StringTable::text(QStringLiteral("暂停计时"), language);
    presentation.finishTitle = StringTable::text(QStringLiteral("提前休息"), language);
    presentation.finishSymbol = QStringLiteral("figure.walk");
    presentation.finishHelp = StringTable::text(QStringLiteral("本轮不计为已完成番茄"), language);
    presentation.notesLabel
        = localized(language, QStringLiteral("本轮笔记"), QStringLiteral("Session Notes"));
    presentation.notesPlaceholder
        = localized(language, QStringLiteral("添加本轮笔记…"), QStringLiteral("Add a note…"));
    return presentation;
}
