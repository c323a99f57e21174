#include "TestProgram.h"
#include "session/AutomaticWorkTimer.h"

#include <QTest>
#include <cmath>
#include <limits>

namespace {

// Offsets in milliseconds from a fixed instant; `absent` stands for a missing date.
constexpr qint64 absent = std::numeric_limits<qint64>::min();

const QDateTime origin = QDateTime(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC);

std::optional<QDateTime> at(qint64 offset)
{
    if (offset == absent)
        return std::nullopt;
    return origin.addMSecs(offset);
}

qint64 offsetOf(const std::optional<QDateTime> &date)
{
    return date ? origin.msecsTo(*date) : absent;
}

AutomaticWorkTimer timer(WorkTrackingState state, double accumulated, double duration, double idleTimeout,
    qint64 lastActivity, qint64 lastAccounting)
{
    AutomaticWorkTimer made;
    made.duration = duration;
    made.idleTimeout = idleTimeout;
    made.accumulatedActiveTime = accumulated;
    made.lastActivity = at(lastActivity);
    made.state = state;
    made.lastAccountingDate = at(lastAccounting);
    return made;
}

} // namespace

class AutomaticWorkTimerTest : public QObject
{
    Q_OBJECT

private slots:
    void tick_data();
    void tick();
    void tickContinuously_data();
    void tickContinuously();
    void restore_data();
    void restore();
    void activityEverySecondAddsEachQuarterSecondTick();
    void idleTimeoutStopsCountingAtTheCutoff();
};

void AutomaticWorkTimerTest::tick_data()
{
    QTest::addColumn<WorkTrackingState>("state");
    QTest::addColumn<double>("accumulated");
    QTest::addColumn<qint64>("lastActivity");
    QTest::addColumn<qint64>("lastAccounting");
    QTest::addColumn<qint64>("now");
    QTest::addColumn<double>("expectedAccumulated");
    QTest::addColumn<WorkTrackingState>("expectedState");
    QTest::addColumn<qint64>("expectedAccounting");
    QTest::addColumn<bool>("expectedComplete");

    // Duration 1500 s and idle timeout 60 s in every row.
    const auto tracking = WorkTrackingState::tracking;
    const auto idle = WorkTrackingState::idlePaused;
    QTest::newRow("before the cutoff the interval counts")
        << tracking << 10.0 << 0LL << 0LL << 250LL << 10.25 << tracking << 250LL << false;
    QTest::newRow("activity after the last accounting")
        << tracking << 0.0 << 5000LL << 0LL << 6000LL << 6.0 << tracking << 6000LL << false;
    QTest::newRow("past the cutoff only up to it counts")
        << tracking << 0.0 << 0LL << 59000LL << 61000LL << 1.0 << idle << 61000LL << false;
    QTest::newRow("exactly at the cutoff counts and pauses")
        << tracking << 0.0 << 0LL << 59750LL << 60000LL << 0.25 << idle << 60000LL << false;
    QTest::newRow("accounting already past the cutoff adds nothing")
        << tracking << 7.0 << 0LL << 120000LL << 121000LL << 7.0 << idle << 121000LL << false;
    QTest::newRow("clock set back adds nothing and moves accounting back")
        << tracking << 7.0 << 10000LL << 10000LL << 5000LL << 7.0 << tracking << 5000LL << false;
    QTest::newRow("cut at the duration and complete")
        << tracking << 1499.9 << 0LL << 0LL << 250LL << 1500.0 << tracking << 250LL << true;
    QTest::newRow("completing past the cutoff stays tracking")
        << tracking << 1499.9 << 0LL << 59000LL << 61000LL << 1500.0 << tracking << 61000LL << true;
    QTest::newRow("waiting changes nothing")
        << WorkTrackingState::waitingForActivity << 3.0 << 0LL << 0LL << 1000LL << 3.0
        << WorkTrackingState::waitingForActivity << 0LL << false;
    QTest::newRow("idle changes nothing")
        << idle << 3.0 << 0LL << 0LL << 1000LL << 3.0 << idle << 0LL << false;
    QTest::newRow("manually paused changes nothing")
        << WorkTrackingState::manuallyPaused << 3.0 << 0LL << 0LL << 1000LL << 3.0
        << WorkTrackingState::manuallyPaused << 0LL << false;
    QTest::newRow("complete while waiting reports complete")
        << WorkTrackingState::waitingForActivity << 1500.0 << absent << 0LL << 1000LL << 1500.0
        << WorkTrackingState::waitingForActivity << 0LL << true;
    QTest::newRow("tracking without last activity changes nothing")
        << tracking << 3.0 << absent << 0LL << 1000LL << 3.0 << tracking << 0LL << false;
    QTest::newRow("tracking without accounting date changes nothing")
        << tracking << 3.0 << 0LL << absent << 1000LL << 3.0 << tracking << absent << false;
}

void AutomaticWorkTimerTest::tick()
{
    QFETCH(WorkTrackingState, state);
    QFETCH(double, accumulated);
    QFETCH(qint64, lastActivity);
    QFETCH(qint64, lastAccounting);
    QFETCH(qint64, now);

    AutomaticWorkTimer subject = timer(state, accumulated, 1500, 60, lastActivity, lastAccounting);
    const bool complete = subject.tick(*at(now));

    QTEST(subject.accumulatedActiveTime, "expectedAccumulated");
    QTEST(subject.state, "expectedState");
    QTEST(offsetOf(subject.lastAccountingDate), "expectedAccounting");
    QTEST(complete, "expectedComplete");
    QCOMPARE(offsetOf(subject.lastActivity), lastActivity);
    QCOMPARE(subject.duration, 1500.0);
    QCOMPARE(subject.idleTimeout, 60.0);
}

void AutomaticWorkTimerTest::tickContinuously_data()
{
    QTest::addColumn<WorkTrackingState>("state");
    QTest::addColumn<double>("accumulated");
    QTest::addColumn<qint64>("lastAccounting");
    QTest::addColumn<qint64>("now");
    QTest::addColumn<double>("expectedAccumulated");
    QTest::addColumn<WorkTrackingState>("expectedState");
    QTest::addColumn<qint64>("expectedDates");
    QTest::addColumn<bool>("expectedComplete");

    const auto tracking = WorkTrackingState::tracking;
    QTest::newRow("tracking adds the interval")
        << tracking << 1.0 << 0LL << 250LL << 1.25 << tracking << 250LL << false;
    QTest::newRow("idle adds the whole interval and tracks again")
        << WorkTrackingState::idlePaused << 1.0 << 0LL << 600000LL << 601.0 << tracking << 600000LL << false;
    QTest::newRow("waiting counts from the last accounting")
        << WorkTrackingState::waitingForActivity << 0.0 << 0LL << 2000LL << 2.0 << tracking << 2000LL
        << false;
    QTest::newRow("no accounting date adds nothing and starts counting")
        << WorkTrackingState::waitingForActivity << 0.0 << absent << 2000LL << 0.0 << tracking << 2000LL
        << false;
    QTest::newRow("clock set back adds nothing")
        << tracking << 4.0 << 10000LL << 5000LL << 4.0 << tracking << 5000LL << false;
    QTest::newRow("cut at the duration")
        << tracking << 1499.0 << 0LL << 5000LL << 1500.0 << tracking << 5000LL << true;
    QTest::newRow("manually paused changes nothing")
        << WorkTrackingState::manuallyPaused << 4.0 << 0LL << 5000LL << 4.0
        << WorkTrackingState::manuallyPaused << 0LL << false;
    QTest::newRow("40 ms ticks summed to a hair short of a second")
        << tracking << 59.959999999999994 << 0LL << 40LL << 60.0 << tracking << 40LL << false;
}

void AutomaticWorkTimerTest::tickContinuously()
{
    QFETCH(WorkTrackingState, state);
    QFETCH(double, accumulated);
    QFETCH(qint64, lastAccounting);
    QFETCH(qint64, now);

    AutomaticWorkTimer subject = timer(state, accumulated, 1500, 60, lastAccounting, lastAccounting);
    const bool complete = subject.tickContinuously(*at(now));

    QFETCH(double, expectedAccumulated);
    QCOMPARE(QByteArray::number(subject.accumulatedActiveTime, 'g', 17), // exactly: the time left rounds up
        QByteArray::number(expectedAccumulated, 'g', 17));
    QTEST(subject.state, "expectedState");
    QTEST(offsetOf(subject.lastAccountingDate), "expectedDates");
    QTEST(offsetOf(subject.lastActivity), "expectedDates");
    QTEST(complete, "expectedComplete");
}

void AutomaticWorkTimerTest::restore_data()
{
    QTest::addColumn<double>("target");
    QTest::addColumn<double>("accumulated");
    QTest::addColumn<std::optional<bool>>("manuallyPaused");
    QTest::addColumn<double>("expectedDuration");
    QTest::addColumn<double>("expectedAccumulated");
    QTest::addColumn<WorkTrackingState>("expectedState");

    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    const auto waiting = WorkTrackingState::waitingForActivity;
    QTest::newRow("a round in progress")
        << 1500.0 << 300.5 << std::optional<bool>() << 1500.0 << 300.5 << waiting;
    QTest::newRow("target below one second") << 0.5 << 0.0 << std::optional<bool>() << 1.0 << 0.0 << waiting;
    QTest::newRow("negative accumulated time")
        << 1500.0 << -3.0 << std::optional<bool>(false) << 1500.0 << 0.0 << waiting;
    QTest::newRow("accumulated time above the target")
        << 1500.0 << 2000.0 << std::optional<bool>() << 1500.0 << 1500.0 << waiting;
    QTest::newRow("accumulated time not a number")
        << 1500.0 << notANumber << std::optional<bool>() << 1500.0 << 0.0 << waiting;
    QTest::newRow("target not a number")
        << notANumber << 0.5 << std::optional<bool>() << 1.0 << 0.5 << waiting;
    QTest::newRow("paused by hand") << 1500.0 << 10.0 << std::optional<bool>(true) << 1500.0 << 10.0
                                    << WorkTrackingState::manuallyPaused;
}

void AutomaticWorkTimerTest::restore()
{
    QFETCH(double, target);
    QFETCH(double, accumulated);
    QFETCH(std::optional<bool>, manuallyPaused);

    AutomaticWorkTimer subject = timer(WorkTrackingState::tracking, 99, 99, 300, 0, 0);
    ActiveFocusSessionSnapshot snapshot;
    snapshot.targetSeconds = target;
    snapshot.accumulatedActiveSeconds = accumulated;
    snapshot.savedAtEpoch = 1.0;
    snapshot.manuallyPaused = manuallyPaused;
    subject.restore(snapshot, *at(90000));

    QTEST(subject.duration, "expectedDuration");
    QTEST(subject.accumulatedActiveTime, "expectedAccumulated");
    QTEST(subject.state, "expectedState");
    QCOMPARE(subject.idleTimeout, 300.0);
    QVERIFY(!subject.lastActivity);
    QCOMPARE(offsetOf(subject.lastAccountingDate), 90000LL);
}

void AutomaticWorkTimerTest::activityEverySecondAddsEachQuarterSecondTick()
{
    AutomaticWorkTimer subject = timer(WorkTrackingState::tracking, 0, 1500, 60, 0, 0);
    for (qint64 now = 250; now <= 10000; now += 250) {
        if (now % 1000 == 0)
            subject.lastActivity = at(now);
        const double before = subject.accumulatedActiveTime;
        QVERIFY(!subject.tick(*at(now)));
        QCOMPARE(subject.accumulatedActiveTime - before, 0.25);
        QCOMPARE(subject.state, WorkTrackingState::tracking);
    }
    QCOMPARE(subject.accumulatedActiveTime, 10.0);
}

void AutomaticWorkTimerTest::idleTimeoutStopsCountingAtTheCutoff()
{
    AutomaticWorkTimer subject = timer(WorkTrackingState::tracking, 0, 1500, 60, 0, 0);
    for (qint64 now = 400; now < 60000; now += 400) {
        subject.tick(*at(now));
        QCOMPARE(subject.state, WorkTrackingState::tracking);
    }
    QCOMPARE(subject.accumulatedActiveTime, 59.6);

    subject.tick(*at(60300));
    QCOMPARE(subject.accumulatedActiveTime, 60.0);
    QCOMPARE(subject.state, WorkTrackingState::idlePaused);

    for (qint64 now = 60700; now < 70000; now += 400)
        subject.tick(*at(now));
    QCOMPARE(subject.accumulatedActiveTime, 60.0);
    QCOMPARE(subject.state, WorkTrackingState::idlePaused);
}

QUORVANE_TEST_GUILESS_MAIN(AutomaticWorkTimerTest)
#include "tst_automatic_work_timer.moc"
