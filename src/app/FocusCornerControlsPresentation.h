#pragma once

#include "core/AppLanguage.h"
#include "core/FocusConsoleDock.h"

#include <QObject>
#include <QString>

// One round button of the corner controls. Its label is also its accessible name.
struct CornerControlButton
{
    Q_GADGET
    Q_PROPERTY(QString symbol MEMBER symbol CONSTANT FINAL)
    Q_PROPERTY(QString label MEMBER label CONSTANT FINAL)
    Q_PROPERTY(QString detail MEMBER detail CONSTANT FINAL)
    Q_PROPERTY(double opacity MEMBER opacity CONSTANT FINAL)
    Q_PROPERTY(bool enabled MEMBER enabled CONSTANT FINAL)

public:
    QString symbol;
    QString label;
    QString detail;
    double opacity = 1;
    bool enabled = true;

    friend bool operator==(const CornerControlButton &, const CornerControlButton &) = default;
};

// The three buttons in the bottom corner the console leaves free: previous background, hide or show the
// interface, next background, with the side their tooltips open towards (the middle of the window).
struct FocusCornerControlsPresentation
{
    Q_GADGET
    Q_PROPERTY(CornerControlButton previous MEMBER previous CONSTANT FINAL)
    Q_PROPERTY(CornerControlButton toggle MEMBER toggle CONSTANT FINAL)
    Q_PROPERTY(CornerControlButton next MEMBER next CONSTANT FINAL)
    Q_PROPERTY(QString tooltipPlacement MEMBER tooltipPlacement CONSTANT FINAL)
    Q_PROPERTY(QString toggleSwitchName MEMBER toggleSwitchName CONSTANT FINAL)

public:
    static FocusCornerControlsPresentation make(bool interfaceIsHidden, bool canNavigateBackgrounds,
        FocusConsoleDock consoleDock, AppLanguage language);

    CornerControlButton previous;
    CornerControlButton toggle;
    CornerControlButton next;
    QString tooltipPlacement;
    // A screen reader hears a change of name unspoken, so the middle button is one switch for it, always
    // named for hiding and checked while the interface is hidden.
    QString toggleSwitchName;

    friend bool operator==(const FocusCornerControlsPresentation &, const FocusCornerControlsPresentation &)
        = default;
};
