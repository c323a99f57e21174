#pragma once

#include "FakeAccessibilityTrust.h"
#include "FakeClock.h"
#include "FakeInputActivityBackend.h"
#include "TestSupport.h"
#include "app/Round.h"
#include "app/Statistics.h"
#include "core/AppPreferences.h"
#include "session/InputActivityMonitor.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

// A round without a controller: real logs in a fresh folder, fakes of the clock, the input and the
// settings' store (whose writes all go in), and the alerts kept by title. Its one-minute round is open.
struct LoneRound
{
    LoneRound()
    {
        preferences.sessionMinutes = 1;
        round.load(clock.now());
        round.open();
    }

    TemporaryDataHome home;
    FakeClock clock { QDateTime(QDate(2024, 3, 1), QTime(9, 0), Qt::LocalTime) };
    AppPreferences preferences;
    QStringList alerts;
    FocusSessionLogger focusLog { home.filePath(QStringLiteral("focus.csv")), clock.now().date() };
    CSVLogger activityLog { home.filePath(QStringLiteral("activity.csv")), clock.now().date() };
    Statistics statistics { focusLog, activityLog };
    FakeAccessibilityTrust trust;
    FakeInputActivityBackend *global = new FakeInputActivityBackend;
    InputActivityMonitor monitor { trust, clock, std::unique_ptr<InputActivityBackend>(global),
        std::make_unique<FakeInputActivityBackend>() };
    Round round { clock, preferences, [this](const QString &title, const QString &) { alerts << title; },
        focusLog, activityLog, statistics, monitor, trust, nullptr, WindowSystem::x11, home.path(),
        [this](bool on) {
            preferences.trackActivity = on;
            return Status();
        } };
};
