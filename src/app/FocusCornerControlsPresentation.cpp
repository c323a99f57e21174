#include "app/FocusCornerControlsPresentation.h"

FocusCornerControlsPresentation FocusCornerControlsPresentation::make(
    bool interfaceIsHidden, bool canNavigateBackgrounds, FocusConsoleDock consoleDock, AppLanguage language)
{
    // With the interface hidden only the restore button may be seen or clicked.
    const double navigationOpacity = interfaceIsHidden ? 0 : canNavigateBackgrounds ? 1 : 0.35;
    const bool navigationEnabled = !interfaceIsHidden && canNavigateBackgrounds;

    FocusCornerControlsPresentation controls;
    controls.previous = { QStringLiteral("chevron.left"),
        localized(language, QStringLiteral("上一张背景"), QStringLiteral("Previous Background")),
        localized(language, QStringLiteral("切换到图库中的上一张图片或视频"),
            QStringLiteral("Show the previous image or video in your library")),
        navigationOpacity, navigationEnabled };
    if (interfaceIsHidden)
        controls.toggle = { QStringLiteral("chevron.up"),
            localized(language, QStringLiteral("显示界面"), QStringLiteral("Show Interface")),
            localized(language, QStringLiteral("恢复计时、音乐与顶部信息"),
                QStringLiteral("Restore the timer, music, and status controls")),
            1, true };
    else
        controls.toggle = { QStringLiteral("chevron.down"),
            localized(language, QStringLiteral("隐藏界面"), QStringLiteral("Hide Interface")),
            localized(language, QStringLiteral("只保留背景和这个恢复按键"),
                QStringLiteral("Leave only the background and this restore button")),
            1, true };
    controls.next = { QStringLiteral("chevron.right"),
        localized(language, QStringLiteral("下一张背景"), QStringLiteral("Next Background")),
        localized(language, QStringLiteral("切换到图库中的下一张图片或视频"),
            QStringLiteral("Show the next image or video in your library")),
        navigationOpacity, navigationEnabled };
    controls.toggleSwitchName
        = localized(language, QStringLiteral("隐藏界面"), QStringLiteral("Hide Interface"));
    controls.tooltipPlacement = consoleDock == FocusConsoleDock::trailing ? QStringLiteral("topLeading")
                                                                          : QStringLiteral("topTrailing");
    return controls;
}
