#include "app/ConsoleDragHandlePresentation.h"

#include "core/Tones.h"

ConsoleDragHandlePresentation ConsoleDragHandlePresentation::make(bool dragging,
    std::optional<FocusConsoleDock> pending, FocusConsoleDock dock, const QColor &accent,
    AppLanguage language)
{
    const bool willSwitch = pending && *pending != dock;
    const bool highlighted = dragging || willSwitch;
    ConsoleDragHandlePresentation handle;
    if (!willSwitch)
        handle.arrowSymbol = QStringLiteral("arrow.left.and.right");
    else
        handle.arrowSymbol = dock == FocusConsoleDock::trailing ? QStringLiteral("arrow.left")
                                                                : QStringLiteral("arrow.right");
    handle.foreground = highlighted ? accent : Tones::white(Tones::textSubtitle());
    handle.barOpacity = willSwitch ? 0.76 : dragging ? 0.62 : 0.3;
    handle.tintOpacity = dragging ? 0.38 : 0.25;
    handle.stroke = willSwitch ? Tones::tinted(accent, Tones::accentMark())
        : dragging             ? Tones::tinted(accent, Tones::accentEdge())
                               : Tones::white(Tones::controlOutline());
    handle.accessibleLabel = localized(language, QStringLiteral("专注控制台停靠在左下角"),
        QStringLiteral("Focus Console Docked Bottom Left"));
    handle.accessibleChecked = dock == FocusConsoleDock::leading;
    handle.accessibleValue = dock == FocusConsoleDock::leading
        ? localized(language, QStringLiteral("停靠在左下角"), QStringLiteral("Docked bottom left"))
        : localized(language, QStringLiteral("停靠在右下角"), QStringLiteral("Docked bottom right"));
    handle.tooltipTitle
        = localized(language, QStringLiteral("切换控制台位置"), QStringLiteral("Move Focus Console"));
    handle.tooltipDetail = localized(language, QStringLiteral("单击直接换边；也可拖过高亮阈值后松开"),
        QStringLiteral("Click to switch sides, or drag past the highlighted threshold"));
    return handle;
}
