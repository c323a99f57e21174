// Reads and edits logs of 100,000 rows each and prints how long each operation takes.
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

constexpr int rowCount = 100000;
constexpr int repetitions = 5;

QByteArray focusLog()
{
    QByteArray bytes = FocusSessionLogger::header().toUtf8() + '\n';
    const QDateTime first(QDate(2020, 1, 1), QTime(9, 0));
    for (int i = 0; i < rowCount; ++i) {
        const QDateTime end = first.addSecs(qint64(i) * 1800);
        bytes += QStringLiteral("%1,%2,%3,%4,%5,Round %5,1500,1500,true,\"notes, with a comma\"\n")
                     .arg(QStringLiteral("0f8fad5b-d9cb-469f-a165-%1").arg(i, 12, 10, QLatin1Char('0')),
                         end.addSecs(-1500).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         end.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         end.toString(QStringLiteral("yyyy-MM-dd")))
                     .arg(i % 12)
                     .toUtf8();
    }
    return bytes;
}

QByteArray activityLog()
{
    QByteArray bytes = CSVLogger::header().toUtf8() + '\n';
    const QDateTime first(QDate(2020, 1, 1), QTime(9, 30));
    for (int i = 0; i < rowCount; ++i) {
        const QDateTime end = first.addSecs(qint64(i) * 1800);
        bytes += QStringLiteral("%1,%2,%3,%4,%5,Round,Stretch,20,1.000,0.250,%6,\n")
                     .arg(QStringLiteral("7c9e6679-7425-40de-944b-%1").arg(i, 12, 10, QLatin1Char('0')),
                         end.addSecs(-300).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         end.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         end.toString(QStringLiteral("yyyy-MM-dd")))
                     .arg(i % 12)
                     .arg((i % 12 + 1) * 20)
                     .toUtf8();
    }
    return bytes;
}

void measure(const char *name, const std::function<qsizetype()> &operation)
{
    qint64 best = std::numeric_limits<qint64>::max();
    qsizetype size = 0;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        size = operation();
        best = std::min(best, timer.nsecsElapsed());
    }
    std::printf("%-32s %8.2f ms  (%lld results)\n", name, double(best) / 1e6, static_cast<long long>(size));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir directory;
    const QString focusPath = directory.filePath(QStringLiteral("focus-session-log.csv"));
    const QString activityPath = directory.filePath(QStringLiteral("daily-activity-log.csv"));
    for (const auto &[path, bytes] :
        { std::pair { focusPath, focusLog() }, std::pair { activityPath, activityLog() } }) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }
    std::printf("%d rows per log, best of %d\n", rowCount, repetitions);

    measure("start-up (both logs)", [&] {
        const FocusSessionLogger focus(focusPath);
        const CSVLogger activity(activityPath);
        return qsizetype(0);
    });
    const FocusSessionLogger focus(focusPath);
    const CSVLogger activity(activityPath);
    const QDateTime now(QDate(2023, 6, 1), QTime(12, 0));
    measure("dailyMetrics", [&] { return focus.dailyMetrics().size(); });
    measure("dailyHealthScores", [&] { return activity.dailyHealthScores().size(); });
    measure("30-day statistics (both maps)",
        [&] { return focus.dailyMetrics().size() + activity.dailyHealthScores().size(); });
    measure("todayTotal", [&] { return qsizetype(activity.todayTotal(now)); });
    measure("focus timelineEntries", [&] { return focus.timelineEntries().size(); });
    measure("activity timelineEntries", [&] { return activity.timelineEntries().size(); });
    measure("focus updateEntry",
        [&] { return qsizetype(focus.updateEntry(QStringLiteral("none"), std::nullopt, QString()).ok()); });
    measure("activity updateEntry", [&] {
        return qsizetype(
            activity.updateEntry(QStringLiteral("none"), std::nullopt, std::nullopt, std::nullopt, QString())
                .ok());
    });
    FocusSessionLogEntry entry { QStringLiteral("bench"), now, now, 1, QString(), 1500, 1500, true,
        QString() };
    measure("focus append", [&] { return qsizetype(focus.append(entry).ok()); });
    return 0;
}
