// Prints what opening the journal costs over long logs: the snapshot read on a worker thread, the
// longest the main thread is kept busy meanwhile, an unchanged reload, and a switch of the day.
#include "BenchLogs.h"
#include "ControllerHarness.h"
#include "storage/NotesTimelineRepository.h"
#include "ui/journal/JournalController.h"
#include "ui/journal/JournalSnapshot.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The snapshot as the worker thread builds it, from the files to the entries filed by day.
double snapshotMilliseconds(const FocusSessionLogger &focusLog, const CSVLogger &activityLog)
{
    QElapsedTimer timer;
    timer.start();
    const JournalSnapshot snapshot
        = JournalSnapshot::build(NotesTimelineRepository::allEntries(focusLog, activityLog), {});
    const double elapsed = milliseconds(timer);
    if (snapshot.entries.isEmpty())
        std::fprintf(stderr, "the snapshot is empty\n");
    return elapsed;
}

// CPU time of the calling thread: unlike the wall clock, it does not count the time other programs
// on a busy machine take the core away.
double threadMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Stall
{
    // The longest time between two turns of a 1 ms timer, as the wall clock sees it.
    double wall = 0;
    // The most CPU time the main thread spent between two turns.
    double busy = 0;
};

// Runs the event loop until `done` and measures how long the main thread could not answer.
template<typename Done> Stall longestStall(Done &&done)
{
    QElapsedTimer sinceLast;
    double cpuAtLast = threadMilliseconds();
    Stall stall;
    const auto turn = [&] {
        stall.wall = std::max(stall.wall, milliseconds(sinceLast));
        const double cpu = threadMilliseconds();
        stall.busy = std::max(stall.busy, cpu - cpuAtLast);
        cpuAtLast = cpu;
        sinceLast.restart();
    };
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, turn);
    probe.start();
    sinceLast.start();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    turn();
    return stall;
}

void benchOpening(int rows)
{
    ControllerHarness harness;
    harness.startTime = QDateTime::currentDateTime();
    AppStorageService::storageDirectory(harness.root());
    writeLogs(harness.file(QStringLiteral("focus-session-log.csv")),
        harness.file(QStringLiteral("daily-activity-log.csv")), rows);
    const FocusSessionLogger focusLog(harness.file(QStringLiteral("focus-session-log.csv")));
    const CSVLogger activityLog(harness.file(QStringLiteral("daily-activity-log.csv")));

    const double first = snapshotMilliseconds(focusLog, activityLog);
    double best = first;
    for (int run = 0; run < 4; ++run)
        best = std::min(best, snapshotMilliseconds(focusLog, activityLog));
    std::printf("%-58s %10.1f ms (first in the process %.1f ms)\n",
        qPrintable(QStringLiteral("cold snapshot, %1 rows per log, best of 5").arg(rows)), best, first);

    AppController &controller = harness.start();
    Stall opening;
    double slowestOpen = 0;
    for (int run = 0; run < 3; ++run) {
        JournalController journal;
        QElapsedTimer open;
        open.start();
        const double cpuBefore = threadMilliseconds();
        // The opening itself runs on the main thread before the probe can first turn.
        journal.setController(&controller);
        const Stall start { milliseconds(open), threadMilliseconds() - cpuBefore };
        const Stall loading = longestStall([&] { return journal.snapshotLoaded(); });
        opening.wall = std::max({ opening.wall, start.wall, loading.wall });
        opening.busy = std::max({ opening.busy, start.busy, loading.busy });
        slowestOpen = std::max(slowestOpen, milliseconds(open));
    }
    std::printf("%-58s %10.1f ms busy (%.1f ms by the wall clock; shown after %.1f ms at worst)\n",
        qPrintable(QStringLiteral("longest main-thread stall opening, %1 rows per log").arg(rows)),
        opening.busy, opening.wall, slowestOpen);

    JournalController journal;
    journal.setController(&controller);
    longestStall([&] { return journal.snapshotLoaded(); });
    journal.refreshJournalSnapshot(controller.journal()->notesRevision() + 1);
    const Stall reload = longestStall([&] { return !journal.isReading(); });
    std::printf("%-58s %10.1f ms busy (%.1f ms by the wall clock)\n",
        qPrintable(QStringLiteral("longest main-thread stall, unchanged reload, %1 rows").arg(rows)),
        reload.busy, reload.wall);

    double daySwitch = 1e300;
    const QDate today = journal.selectedDate();
    for (int run = 0; run < 20; ++run) {
        QElapsedTimer timer;
        timer.start();
        journal.selectDay(today.addDays(-1 - run));
        daySwitch = std::min(daySwitch, milliseconds(timer));
    }
    std::printf("%-58s %10.3f ms (%d rows shown)\n",
        qPrintable(QStringLiteral("day switch, %1 rows per log, best of 20").arg(rows)), daySwitch,
        journal.dayModel()->rowCount());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    for (const int rows : { 10'000, 100'000 })
        benchOpening(rows);
    return 0;
}
