#pragma once

#include "core/AppLanguage.h"
#include "core/FocusConsoleDock.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <optional>

// What the console's drag handle shows, ready to draw: its arrow, colours and opacities follow the drag,
// its spoken value follows the stored side, never the side under the pointer.
struct ConsoleDragHandlePresentation
{
    Q_GADGET
    Q_PROPERTY(QString arrowSymbol MEMBER arrowSymbol CONSTANT FINAL)
    Q_PROPERTY(QColor foreground MEMBER foreground CONSTANT FINAL)
    Q_PROPERTY(double barOpacity MEMBER barOpacity CONSTANT FINAL)
    Q_PROPERTY(double tintOpacity MEMBER tintOpacity CONSTANT FINAL)
    Q_PROPERTY(QColor stroke MEMBER stroke CONSTANT FINAL)
    Q_PROPERTY(QString accessibleLabel MEMBER accessibleLabel CONSTANT FINAL)
    Q_PROPERTY(QString accessibleValue MEMBER accessibleValue CONSTANT FINAL)
    Q_PROPERTY(bool accessibleChecked MEMBER accessibleChecked CONSTANT FINAL)
    Q_PROPERTY(QString tooltipTitle MEMBER tooltipTitle CONSTANT FINAL)
    Q_PROPERTY(QString tooltipDetail MEMBER tooltipDetail CONSTANT FINAL)

public:
    // `pending` is the side a release would choose now, or the side a snap is heading to.
    static ConsoleDragHandlePresentation make(bool dragging, std::optional<FocusConsoleDock> pending,
        FocusConsoleDock dock, const QColor &accent, AppLanguage language);

    QString arrowSymbol;
    QColor foreground;
    double barOpacity = 0;
    double tintOpacity = 0;
    QColor stroke;
    QString accessibleLabel;
    QString accessibleValue;
    // A screen reader hears a change of description unspoken, so the handle is a switch for it, named
    // for the left corner and checked while the console is docked there.
    bool accessibleChecked = false;
    QString tooltipTitle;
    QString tooltipDetail;

    friend bool operator==(const ConsoleDragHandlePresentation &, const ConsoleDragHandlePresentation &)
        = default;
};
