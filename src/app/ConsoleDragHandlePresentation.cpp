#include "app/ConsoleDragHandlePresentation.h"

namespace {

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(float(opacity));
    return color;
}

} // namespace

ConsoleDragHandlePresentation ConsoleDragHandlePresentation::make(bool dragging,
    std::optional<FocusConsoleDock> pending, FocusConsoleDock dock, const QColor &accent,
    AppLanguage language)
{
    const bool willSwitch = pending && *pending != dock;
    const bool highlighted = dragging || willSwitch;
    const QColor white(Qt::white);
    ConsoleDragHandlePresentation handle;
    if (!willSwitch)
        handle.arrowSymbol = QStringLiteral("arrow.left.and.right");
    else
        handle.arrowSymbol = dock == FocusConsoleDock::trailing ? QStringLiteral("arrow.left")
                                                                : QStringLiteral("arrow.right");
    handle.foreground = highlighted ? accent : withOpacity(white, 0.52);
    handle.barOpacity = willSwitch ? 0.76 : dragging ? 0.62 : 0.3;
    handle.tintOpacity = dragging ? 0.38 : 0.25;
    handle.stroke = willSwitch ? withOpacity(accent, 0.72)
        : dragging             ? withOpacity(accent, 0.46)
                               : withOpacity(white, 0.13);
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
