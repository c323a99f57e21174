#pragma once

#include "AppLanguage.h"
#include "WorkTrackingState.h"

#include <QObject>
#include <QString>

// What the focus console shows for a tracking state, ready to draw: the status line, which control row
// it offers and the labels of its buttons in the interface language. Symbols are named as in the symbol
// table.
struct FocusConsolePresentation
{
    Q_GADGET
    Q_PROPERTY(QString statusTitle MEMBER statusTitle CONSTANT)
    Q_PROPERTY(QString statusSymbol MEMBER statusSymbol CONSTANT)
    Q_PROPERTY(bool showsPermissionButton MEMBER showsPermissionButton CONSTANT)
    Q_PROPERTY(QString permissionTitle MEMBER permissionTitle CONSTANT)
    Q_PROPERTY(QString permissionSymbol MEMBER permissionSymbol CONSTANT)
    Q_PROPERTY(QString pauseTitle MEMBER pauseTitle CONSTANT)
    Q_PROPERTY(QString pauseSymbol MEMBER pauseSymbol CONSTANT)
    Q_PROPERTY(bool pauseIsPrimary MEMBER pauseIsPrimary CONSTANT)
    Q_PROPERTY(QString finishTitle MEMBER finishTitle CONSTANT)
    Q_PROPERTY(QString finishSymbol MEMBER finishSymbol CONSTANT)
    Q_PROPERTY(QString finishHelp MEMBER finishHelp CONSTANT)
    Q_PROPERTY(QString notesLabel MEMBER notesLabel CONSTANT)
    Q_PROPERTY(QString notesPlaceholder MEMBER notesPlaceholder CONSTANT)

public:
    static FocusConsolePresentation make(WorkTrackingState state, AppLanguage language);

    QString statusTitle;
    QString statusSymbol;
    // Without input access the whole control row is the one button that asks for it.
    bool showsPermissionButton = false;
    QString permissionTitle;
    QString permissionSymbol;
    // The pause button turns into the primary resume button while the round is paused by hand.
    QString pauseTitle;
    QString pauseSymbol;
    bool pauseIsPrimary = false;
    QString finishTitle;
    QString finishSymbol;
    QString finishHelp;
    QString notesLabel;
    QString notesPlaceholder;

    friend bool operator==(const FocusConsolePresentation &, const FocusConsolePresentation &) = default;
};
