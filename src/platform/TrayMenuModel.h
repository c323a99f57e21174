#pragma once

#include "core/AppLanguage.h"
#include "core/SessionPhase.h"
#include "core/WorkTrackingState.h"

#include <QList>
#include <QString>

// What the tray shows: its icon, its tooltip and its menu, derived from the controller's state alone.
struct TrayMenuModel
{
    enum class Action {
        none,
        showMainWindow,
        enableAutomaticTracking,
        showDailyInsights,
        checkForUpdates,
        openActivityLog,
        quit,
    };

    enum class EntryKind { action, separator, text };

    struct Entry
    {
        EntryKind kind = EntryKind::separator;
        QString text;
        bool enabled = false;
        Action action = Action::none;

        friend bool operator==(const Entry &, const Entry &) = default;
    };

    // A symbol name of the interface ("timer" or "figure.mind.and.body").
    QString iconSymbol;
    QString toolTip;
    QList<Entry> entries;

    // The tooltip counts whole minutes, rounded up from `secondsRemaining`: a StatusNotifier host rereads
    // the whole item at every change of it, which a ticking second would ask for every second.
    static TrayMenuModel make(SessionPhase phase, WorkTrackingState trackingState, AppLanguage language,
        const QString &timeText, qint64 secondsRemaining, bool canCheckForUpdates,
        WindowSystem windowSystem = WindowSystem::x11);

    friend bool operator==(const TrayMenuModel &, const TrayMenuModel &) = default;
};
