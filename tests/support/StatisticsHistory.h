#pragma once

#include "ControllerHarness.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <QDate>
#include <QTest>

// Days of history written through the two loggers into a harness's data folder, as the program itself
// would have written them.
namespace StatisticsHistory {

// Logs `rounds` completed rounds of `activeSeconds` each and one break worth `health` for each round
// (or one break when there are no rounds and `health` is not 0), all ending on `day`.
inline void logDay(
    const ControllerHarness &harness, const QDate &day, qint64 rounds, qint64 activeSeconds, qint64 health)
{
    AppStorageService::storageDirectory(harness.root());
    const FocusSessionLogger focus(harness.file(QStringLiteral("focus-session-log.csv")));
    const CSVLogger activities(harness.file(QStringLiteral("daily-activity-log.csv")));
    const qint64 breaks = std::max<qint64>(rounds, health != 0 ? 1 : 0);
    for (qint64 round = 0; round < breaks; ++round) {
        const QDateTime end(day, QTime(6, 0).addSecs(int(round) * 2400));
        const QString id = day.toString(Qt::ISODate) + QStringLiteral("-%1").arg(round);
        if (round < rounds) {
            QVERIFY(focus
                        .append({ id, end.addSecs(-activeSeconds), end, round + 1, QStringLiteral("Focus"),
                            activeSeconds, 1500, true, {} })
                        .ok());
        }
        ActivityLogEntry activity;
        activity.eventID = id + QStringLiteral("-break");
        activity.startTimestamp = end;
        activity.timestamp = end.addSecs(300);
        activity.sessionNumber = round + 1;
        activity.item
            = { QUuid::createUuid(), QStringLiteral("Walk"), 1, health, QStringLiteral("figure.walk") };
        activity.dailyTotal = health * (round + 1);
        QVERIFY(activities.append(activity).ok());
    }
}

// Thirty days ending on `lastDay` with an uneven rhythm: some days have nothing at all.
inline void logThirtyDays(const ControllerHarness &harness, const QDate &lastDay)
{
    for (int day = 0; day < 30; ++day) {
        if (day % 7 == 3 || day % 11 == 5)
            continue;
        const qint64 rounds = (day * 5) % 7;
        logDay(harness, lastDay.addDays(day - 29), rounds, 1200 + (day * 37) % 300, 2 + (day * 3) % 5);
    }
}

} // namespace StatisticsHistory
