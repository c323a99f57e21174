// Saves the settings, the running round and the draw history and appends to both logs in a loop,
// forever, until the crash-consistency test kills it. Prints "ready" once the logs are open, then
// one line "<event id>" after each append that returned, so the test knows which rows must survive.
//
//   crash_consistency_child <application support root> <run number>

#include "CrashConsistencyRows.h"
#include "storage/AppStorageService.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <QDir>
#include <cstdio>

namespace {

void report(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

Status saveState(qint64 run, qint64 number, const QString &root)
{
    AppPreferences preferences;
    preferences.sessionMinutes = 1 + number % 120;
    preferences.items.first().title = CrashConsistencyRows::title(run, number);
    if (Status saved = AppStorageService::savePreferences(preferences, root); !saved)
        return saved;
    ActiveFocusSessionSnapshot snapshot;
    snapshot.targetSeconds = 1500;
    snapshot.accumulatedActiveSeconds = double(number % 1500);
    snapshot.savedAtEpoch = double(CrashConsistencyRows::startOf(run, number).toSecsSinceEpoch());
    snapshot.sessionID = CrashConsistencyRows::eventID(QLatin1StringView("focus"), run, number);
    snapshot.notes = CrashConsistencyRows::notes(run, number);
    if (Status saved = AppStorageService::saveActiveFocusSession(snapshot, root); !saved)
        return saved;
    QList<QUuid> history;
    for (const WheelItem &item : preferences.items.mid(0, 1 + number % 5))
        history.append(item.id);
    AppStorageService::saveHistory(history, root);
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const QString root = QString::fromLocal8Bit(argv[1]);
    const qint64 run = QByteArray(argv[2]).toLongLong();
    const QDir storage(AppStorageService::storageDirectory(root));
    const FocusSessionLogger focusLog(storage.filePath(QStringLiteral("focus-session-log.csv")));
    const CSVLogger activityLog(storage.filePath(QStringLiteral("daily-activity-log.csv")));
    if (!saveState(run, 0, root))
        return 1;
    report(QStringLiteral("ready"));

    for (qint64 number = 0;; ++number) {
        if (!saveState(run, number, root))
            return 1;
        const FocusSessionLogEntry focus = CrashConsistencyRows::focusEntry(run, number);
        if (!focusLog.append(focus))
            return 1;
        report(focus.eventID);
        const ActivityLogEntry activity = CrashConsistencyRows::activityEntry(run, number);
        if (!activityLog.append(activity))
            return 1;
        report(activity.eventID);
        // Now and then a whole-file rewrite, which must be atomic too.
        if (number % 4 == 3) {
            const QString earlier = CrashConsistencyRows::focusEntry(run, number - 1).eventID;
            if (!focusLog.updateEntry(earlier, std::nullopt, CrashConsistencyRows::updatedNotes(earlier)))
                return 1;
            const QString earlierActivity = CrashConsistencyRows::activityEntry(run, number - 1).eventID;
            if (!activityLog.updateEntry(earlierActivity, std::nullopt, std::nullopt, std::nullopt,
                    CrashConsistencyRows::updatedNotes(earlierActivity)))
                return 1;
        }
    }
}
