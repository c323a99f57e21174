#include "FakeAccessibilityTrust.h"
#include "FakeClock.h"
#include "FakeInputActivityBackend.h"
#include "TestProgram.h"
#include "session/InputActivityMonitor.h"

#include <QtTest>
#include <memory>

namespace {

// A monitor over two hand-driven sources, recording the clock at every report.
struct MonitorRig
{
    MonitorRig()
    {
        auto global = std::make_unique<FakeInputActivityBackend>();
        auto local = std::make_unique<FakeInputActivityBackend>();
        globalBackend = global.get();
        localBackend = local.get();
        monitor = std::make_unique<InputActivityMonitor>(trust, clock, std::move(global), std::move(local));
        monitor->onActivity = [this] { reports.append(start.msecsTo(clock.now())); };
    }

    FakeAccessibilityTrust trust;
    FakeClock clock;
    const QDateTime start = clock.now();
    FakeInputActivityBackend *globalBackend = nullptr;
    FakeInputActivityBackend *localBackend = nullptr;
    std::unique_ptr<InputActivityMonitor> monitor;
    QList<qint64> reports;
};

} // namespace

class InputActivityMonitorTest : public QObject
{
    Q_OBJECT

private slots:
    void reportsAtMostEveryQuarterSecond_data();
    void reportsAtMostEveryQuarterSecond();
    void startInstallsBothMonitors();
    void startTwiceInstallsOnce();
    void startWithoutTrustInstallsNothingAndNeverPrompts();
    void startStopsWhenTrustIsGone();
    void startFailsWhenEitherMonitorIsRefused_data();
    void startFailsWhenEitherMonitorIsRefused();
    void stopRemovesBothAndIsIdempotent();
    void firstEventAfterRestartReportsAtOnce();
    void eventsWithoutCallbackStillCountForTheThrottle();
    void ticksReachInstalledMonitorsOnly_data();
    void ticksReachInstalledMonitorsOnly();
    void inputHandedOverAtATickIsThrottled();
};

void InputActivityMonitorTest::reportsAtMostEveryQuarterSecond_data()
{
    QTest::addColumn<QList<qint64>>("eventOffsetsMs");
    // G: the global source, L: the local one; both share one throttle.
    QTest::addColumn<QString>("sources");
    QTest::addColumn<QList<qint64>>("reportOffsetsMs");

    QTest::newRow("0.2 s apart: one report")
        << QList<qint64> { 0, 200 } << QStringLiteral("GG") << QList<qint64> { 0 };
    QTest::newRow("0.25 s apart: two reports")
        << QList<qint64> { 0, 250 } << QStringLiteral("GG") << QList<qint64> { 0, 250 };
    QTest::newRow("just under 0.25 s: one report")
        << QList<qint64> { 0, 249 } << QStringLiteral("GG") << QList<qint64> { 0 };
    QTest::newRow("burst: four a second at most") << QList<qint64> { 0, 10, 20, 249, 250, 251, 499, 500, 740,
        760 } << QStringLiteral("GGGGGGGGGG") << QList<qint64> { 0, 250, 500, 760 };
    QTest::newRow("measured from the last report, not the last event")
        << QList<qint64> { 0, 200, 400 } << QStringLiteral("GGG") << QList<qint64> { 0, 400 };
    QTest::newRow("local and global share the throttle")
        << QList<qint64> { 0, 100, 260, 300 } << QStringLiteral("GLLG") << QList<qint64> { 0, 260 };
    QTest::newRow("local alone") << QList<qint64> { 0, 50, 300 } << QStringLiteral("LLL")
                                 << QList<qint64> { 0, 300 };
    QTest::newRow("clock set back: reports at once, then throttles from there") << QList<qint64> { 0, -60000,
        -59900, -59700 } << QStringLiteral("GGGG") << QList<qint64> { 0, -60000, -59700 };
}

void InputActivityMonitorTest::reportsAtMostEveryQuarterSecond()
{
    QFETCH(QList<qint64>, eventOffsetsMs);
    QFETCH(QString, sources);
    QFETCH(QList<qint64>, reportOffsetsMs);

    MonitorRig rig;
    QVERIFY(rig.monitor->start());
    for (int index = 0; index < eventOffsetsMs.size(); ++index) {
        rig.clock.set(rig.start.addMSecs(eventOffsetsMs[index]));
        if (sources[index] == QLatin1Char('G'))
            rig.globalBackend->fire();
        else
            rig.localBackend->fire();
    }
    QCOMPARE(rig.reports, reportOffsetsMs);
}

void InputActivityMonitorTest::startInstallsBothMonitors()
{
    MonitorRig rig;
    QVERIFY(!rig.monitor->bothMonitorsInstalled());

    QVERIFY(rig.monitor->start());
    QVERIFY(rig.monitor->hasGlobalMonitor());
    QVERIFY(rig.monitor->hasLocalMonitor());
    QVERIFY(rig.monitor->bothMonitorsInstalled());
    QVERIFY(rig.globalBackend->isInstalled());
    QVERIFY(rig.localBackend->isInstalled());
}

void InputActivityMonitorTest::startTwiceInstallsOnce()
{
    MonitorRig rig;
    QVERIFY(rig.monitor->start());
    QVERIFY(rig.monitor->start());
    QCOMPARE(rig.globalBackend->installations, 1);
    QCOMPARE(rig.localBackend->installations, 1);

    // The second start keeps the throttle running: it is no restart.
    rig.globalBackend->fire();
    QVERIFY(rig.monitor->start());
    rig.clock.advanceMs(100);
    rig.globalBackend->fire();
    QCOMPARE(rig.reports, QList<qint64> { 0 });
}

void InputActivityMonitorTest::startWithoutTrustInstallsNothingAndNeverPrompts()
{
    MonitorRig rig;
    rig.trust.trusted = false;

    QVERIFY(!rig.monitor->start());
    QVERIFY(!rig.monitor->hasGlobalMonitor());
    QVERIFY(!rig.monitor->hasLocalMonitor());
    QCOMPARE(rig.globalBackend->installations, 0);
    QCOMPARE(rig.localBackend->installations, 0);
    QVERIFY(!rig.trust.prompted);
}

void InputActivityMonitorTest::startStopsWhenTrustIsGone()
{
    MonitorRig rig;
    QVERIFY(rig.monitor->start());
    rig.trust.trusted = false;

    QVERIFY(!rig.monitor->start());
    QVERIFY(!rig.monitor->bothMonitorsInstalled());
    QVERIFY(!rig.globalBackend->isInstalled());
    QVERIFY(!rig.localBackend->isInstalled());
    QVERIFY(!rig.trust.prompted);
}

void InputActivityMonitorTest::startFailsWhenEitherMonitorIsRefused_data()
{
    QTest::addColumn<bool>("globalInstalls");
    QTest::addColumn<bool>("localInstalls");

    QTest::newRow("global refused") << false << true;
    QTest::newRow("local refused") << true << false;
    QTest::newRow("both refused") << false << false;
}

void InputActivityMonitorTest::startFailsWhenEitherMonitorIsRefused()
{
    QFETCH(bool, globalInstalls);
    QFETCH(bool, localInstalls);

    MonitorRig rig;
    rig.globalBackend->canInstall = globalInstalls;
    rig.localBackend->canInstall = localInstalls;

    QVERIFY(!rig.monitor->start());
    QVERIFY(!rig.monitor->hasGlobalMonitor());
    QVERIFY(!rig.monitor->hasLocalMonitor());
    QVERIFY(!rig.globalBackend->isInstalled());
    QVERIFY(!rig.localBackend->isInstalled());

    // Once both can be installed, a retry succeeds.
    rig.globalBackend->canInstall = true;
    rig.localBackend->canInstall = true;
    QVERIFY(rig.monitor->start());
    QVERIFY(rig.monitor->bothMonitorsInstalled());
}

void InputActivityMonitorTest::stopRemovesBothAndIsIdempotent()
{
    MonitorRig rig;
    rig.monitor->stop();
    QVERIFY(!rig.monitor->bothMonitorsInstalled());

    QVERIFY(rig.monitor->start());
    rig.monitor->stop();
    rig.monitor->stop();
    QVERIFY(!rig.monitor->hasGlobalMonitor());
    QVERIFY(!rig.monitor->hasLocalMonitor());
    QVERIFY(!rig.globalBackend->isInstalled());
    QVERIFY(!rig.localBackend->isInstalled());

    rig.globalBackend->fire();
    rig.localBackend->fire();
    QVERIFY(rig.reports.isEmpty());
}

void InputActivityMonitorTest::firstEventAfterRestartReportsAtOnce()
{
    MonitorRig rig;
    QVERIFY(rig.monitor->start());
    rig.globalBackend->fire();

    rig.monitor->stop();
    QVERIFY(rig.monitor->start());
    rig.clock.advanceMs(100);
    rig.localBackend->fire();
    rig.clock.advanceMs(100);
    rig.globalBackend->fire();

    QCOMPARE(rig.reports, (QList<qint64> { 0, 100 }));
    QCOMPARE(rig.globalBackend->installations, 2);
    QCOMPARE(rig.localBackend->installations, 2);
}

void InputActivityMonitorTest::eventsWithoutCallbackStillCountForTheThrottle()
{
    MonitorRig rig;
    const auto onActivity = rig.monitor->onActivity;
    rig.monitor->onActivity = nullptr;
    QVERIFY(rig.monitor->start());
    rig.globalBackend->fire();

    rig.monitor->onActivity = onActivity;
    rig.clock.advanceMs(100);
    rig.globalBackend->fire();
    rig.clock.advanceMs(150);
    rig.globalBackend->fire();
    QCOMPARE(rig.reports, QList<qint64> { 250 });
}

void InputActivityMonitorTest::ticksReachInstalledMonitorsOnly_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<int>("globalTicks");
    QTest::addColumn<int>("localTicks");

    QTest::newRow("started") << QStringLiteral("start") << 1 << 1;
    QTest::newRow("never started") << QString() << 0 << 0;
    QTest::newRow("stopped") << QStringLiteral("start stop") << 0 << 0;
    QTest::newRow("local refused: neither stays") << QStringLiteral("refuse-local start") << 0 << 0;
    QTest::newRow("without trust") << QStringLiteral("untrusted start") << 0 << 0;
}

void InputActivityMonitorTest::ticksReachInstalledMonitorsOnly()
{
    QFETCH(QString, setUp);
    QFETCH(int, globalTicks);
    QFETCH(int, localTicks);

    MonitorRig rig;
    for (const QString &step : setUp.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("start"))
            rig.monitor->start();
        else if (step == QLatin1String("stop"))
            rig.monitor->stop();
        else if (step == QLatin1String("refuse-local"))
            rig.localBackend->canInstall = false;
        else if (step == QLatin1String("untrusted"))
            rig.trust.trusted = false;
    }
    rig.monitor->tick();
    QCOMPARE(rig.globalBackend->ticks, globalTicks);
    QCOMPARE(rig.localBackend->ticks, localTicks);
}

void InputActivityMonitorTest::inputHandedOverAtATickIsThrottled()
{
    MonitorRig rig;
    QVERIFY(rig.monitor->start());
    rig.globalBackend->fire();
    rig.globalBackend->fireAtTick = true;

    rig.clock.advanceMs(200);
    rig.monitor->tick();
    rig.clock.advanceMs(50);
    rig.monitor->tick();
    QCOMPARE(rig.reports, (QList<qint64> { 0, 250 }));
}

QUORVANE_TEST_GUILESS_MAIN(InputActivityMonitorTest)
#include "tst_input_activity_monitor.moc"
