#pragma once

#include "core/AppLanguage.h"
#include "core/WindowSystem.h"
#include "core/WorkTrackingState.h"

#include <QObject>
#include <QString>

// What the focus console shows for a tracking state, ready to draw: the status line, which control row
// it offers and the labels of its buttons in the interface language. Symbols are named as in the symbol
// table.
struct FocusConsolePresentation
{
    Q_GADGET
    Q_PROPERTY(QString statusTitle MEMBER statusTitle CONSTANT FINAL)
    Q_PROPERTY(QString statusSymbol MEMBER statusSymbol CONSTANT FINAL)
    Q_PROPERTY(bool showsPermissionButton MEMBER showsPermissionButton CONSTANT FINAL)
    Q_PROPERTY(QString permissionTitle MEMBER permissionTitle CONSTANT FINAL)
    Q_PROPERTY(QString permissionSymbol MEMBER permissionSymbol CONSTANT FINAL)
    Q_PROPERTY(bool offersElapsedTime MEMBER offersElapsedTime CONSTANT FINAL)
    Q_PROPERTY(QString pauseTitle MEMBER pauseTitle CONSTANT FINAL)
    Q_PROPERTY(QString pauseSymbol MEMBER pauseSymbol CONSTANT FINAL)
    Q_PROPERTY(bool pauseIsPrimary MEMBER pauseIsPrimary CONSTANT FINAL)
    Q_PROPERTY(QString pauseSwitchName MEMBER pauseSwitchName CONSTANT FINAL)
    Q_PROPERTY(QString finishTitle MEMBER finishTitle CONSTANT FINAL)
    Q_PROPERTY(QString finishSymbol MEMBER finishSymbol CONSTANT FINAL)
    Q_PROPERTY(QString finishHelp MEMBER finishHelp CONSTANT FINAL)
    Q_PROPERTY(QString notesLabel MEMBER notesLabel CONSTANT FINAL)
    Q_PROPERTY(QString notesPlaceholder MEMBER notesPlaceholder CONSTANT FINAL)

public:
    // `activityWithheld`: the desktop tells no input while another program keeps the screen awake.
    static FocusConsolePresentation make(WorkTrackingState state, AppLanguage language,
        WindowSystem windowSystem = WindowSystem::x11, bool activityWithheld = false);

    QString statusTitle;
    QString statusSymbol;
    // Without input access the whole control row is the one button that asks for it.
    bool showsPermissionButton = false;
    QString permissionTitle;
    QString permissionSymbol;
    // The one button counts elapsed time for this round instead: the desktop withholds the input.
    bool offersElapsedTime = false;
    // The pause button turns into the primary resume button while the round is paused by hand.
    QString pauseTitle;
    QString pauseSymbol;
    bool pauseIsPrimary = false;
    // A screen reader hears a change of name unspoken, so the pause button is one switch for it, always
    // named for pausing and checked while paused by hand.
    QString pauseSwitchName;
    QString finishTitle;
    QString finishSymbol;
    QString finishHelp;
    QString notesLabel;
    QString notesPlaceholder;

    friend bool operator==(const FocusConsolePresentation &, const FocusConsolePresentation &) = default;
};
