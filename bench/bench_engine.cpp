// Prints the cost of the engine's hot operations (the timer tick, the wheel weights, the log fingerprint)
// and of reading the logs back (daily statistics and the journal timeline) over generated logs.
#include "BenchLogs.h"
#include "session/AutomaticWorkTimer.h"
#include "session/WheelProbabilityEngine.h"
#include "storage/CSVLogger.h"
#include "storage/DailyStatsRepository.h"
#include "storage/FocusSessionLogger.h"
#include "storage/LogFilesFingerprint.h"
#include "storage/NotesTimelineRepository.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

// Counts heap allocations so the figures can show which operations stay off the heap. glibc lets a
// program interpose malloc; the real allocator is still reached through its internal name.
extern "C" void *__libc_malloc(size_t size);
namespace {
thread_local unsigned long long allocationCount = 0;
}
extern "C" void *malloc(size_t size)
{
    ++allocationCount;
    return __libc_malloc(size);
}

namespace {

using Clock = std::chrono::steady_clock;

// Keeps results alive so the measured work cannot be optimised away.
volatile double sink = 0;

struct Measurement
{
    double nanosecondsPerCall;
    double allocationsPerCall;
};

template<typename Operation> Measurement measure(long long calls, Operation &&operation)
{
    operation(0); // warm up lazily initialised state
    const unsigned long long allocationsBefore = allocationCount;
    const auto start = Clock::now();
    for (long long call = 0; call < calls; ++call)
        operation(call);
    const auto elapsed = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    return { elapsed / static_cast<double>(calls),
        static_cast<double>(allocationCount - allocationsBefore) / static_cast<double>(calls) };
}

void report(const char *name, Measurement measurement)
{
    std::printf("%-52s %12.1f ns/call %8.2f allocations/call\n", name, measurement.nanosecondsPerCall,
        measurement.allocationsPerCall);
}

void benchTimer()
{
    for (const Qt::TimeSpec spec : { Qt::UTC, Qt::LocalTime }) {
        const QDateTime origin = QDateTime(QDate(2024, 3, 5), QTime(9, 0), spec);
        AutomaticWorkTimer timer;
        timer.duration = 1e12;
        timer.idleTimeout = 300;
        timer.state = WorkTrackingState::tracking;
        timer.lastActivity = origin;
        timer.lastAccountingDate = origin;
        constexpr long long calls = 1'000'000;
        // Instants are prepared outside the loop, as the controller's clock hands one in per tick.
        std::vector<QDateTime> instants;
        instants.reserve(1000);
        for (int i = 0; i < 1000; ++i)
            instants.push_back(origin.addMSecs(250LL * (i + 1)));
        const Measurement measurement = measure(calls, [&](long long call) {
            const QDateTime &now = instants[static_cast<size_t>(call % 1000)];
            if (call % 1000 == 0) {
                timer.lastActivity = origin;
                timer.lastAccountingDate = origin;
            }
            timer.lastActivity = now;
            sink = sink + (timer.tick(now) ? 1 : 0);
        });
        report(spec == Qt::UTC ? "AutomaticWorkTimer::tick (UTC instants)"
                               : "AutomaticWorkTimer::tick (local instants)",
            measurement);
    }
}

void benchWeights()
{
    QList<WheelItem> items;
    QList<QUuid> history;
    for (int i = 0; i < 7; ++i) {
        items.append(
            { QUuid::createUuid(), QStringLiteral("item %1").arg(i), 1.0 + i, i, QStringLiteral("star") });
        history.append(items.last().id);
    }
    for (int i = 0; i < 13; ++i)
        history.append(QUuid::createUuid());
    const Measurement weights = measure(1'000'000, [&](long long) {
        const QList<WeightedWheelItem> weighted
            = WheelProbabilityEngine::weightedItems(items, history, 0.65, 3);
        sink = sink + weighted.last().effectiveWeight;
    });
    report("WheelProbabilityEngine::weightedItems (7 items)", weights);

    const QList<WeightedWheelItem> weighted = WheelProbabilityEngine::weightedItems(items, history, 0.65, 3);
    const Measurement choice = measure(1'000'000, [&](long long call) {
        const auto chosen
            = WheelProbabilityEngine::choose(weighted, static_cast<double>(call % 1000) / 1000.0);
        sink = sink + chosen->effectiveWeight;
    });
    report("WheelProbabilityEngine::choose (7 items)", choice);
}

void benchFingerprint(const QString &folder)
{
    const QStringList paths { QDir(folder).filePath(QStringLiteral("focus-session-log.csv")),
        QDir(folder).filePath(QStringLiteral("daily-activity-log.csv")) };
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("header\n") < 0)
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
    const LogFilesFingerprint first(paths);
    const Measurement measurement = measure(200'000, [&](long long) {
        const LogFilesFingerprint again(paths);
        sink = sink + (again == first ? 1 : 0);
    });
    report("LogFilesFingerprint of two files, compared", measurement);
}

// The fastest of a few runs, in milliseconds.
template<typename Operation> double bestMilliseconds(int runs, Operation &&operation)
{
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        operation();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

void benchReadback(const QString &folder)
{
    const QString focusPath = QDir(folder).filePath(QStringLiteral("focus-session-log.csv"));
    const QString activityPath = QDir(folder).filePath(QStringLiteral("daily-activity-log.csv"));
    for (const int rows : { 10'000, 100'000 }) {
        writeLogs(focusPath, activityPath, rows);
        const FocusSessionLogger focusLog(focusPath);
        const CSVLogger activityLog(activityPath);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const double days = bestMilliseconds(5,
            [&] { sink = sink + DailyStatsRepository::recentDays(30, now, focusLog, activityLog).size(); });
        const double entries = bestMilliseconds(
            5, [&] { sink = sink + NotesTimelineRepository::allEntries(focusLog, activityLog).size(); });
        const double readers = bestMilliseconds(5,
            [&] { sink = sink + focusLog.timelineEntries().size() + activityLog.timelineEntries().size(); });
        std::printf("%-52s %12.1f ms\n",
            qPrintable(QStringLiteral("recentDays(30), %1 rows in each log").arg(rows)), days);
        std::printf("%-52s %12.1f ms\n",
            qPrintable(QStringLiteral("allEntries(), %1 rows in each log").arg(rows)), entries);
        std::printf("%-52s %12.1f ms\n",
            qPrintable(QStringLiteral("  of which both timelineEntries(), %1 rows").arg(rows)), readers);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return EXIT_FAILURE;
    }
    benchTimer();
    benchWeights();
    benchFingerprint(folder.path());
    benchReadback(folder.path());
    return EXIT_SUCCESS;
}
