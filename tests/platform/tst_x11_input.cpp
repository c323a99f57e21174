#include "FakeClock.h"
#include "FakeInputActivityBackend.h"
#include "TestProgram.h"
#include "X11TestInput.h"
#include "platform/QtLocalActivityBackend.h"
#include "platform/X11GlobalActivityBackend.h"
#include "platform/X11InputAccessTrust.h"
#include "session/InputActivityMonitor.h"

#include <QKeyEvent>
#include <QWidget>
#include <QtTest>
#include <memory>
#include <xcb/xcb.h>

namespace {

// A clock the test sets by hand that also counts how often it was read: the monitor reads it once for
// every batch of input that is activity, which tells the test when the monitor has seen an event.
class CountingClock : public FakeClock
{
public:
    QDateTime now() const override
    {
        ++reads;
        return FakeClock::now();
    }
    mutable int reads = 0;
};

// The monitor as the application builds it, over the real X server, ticked every 0.25 s as the
// application ticks it.
struct X11MonitorRig
{
    X11MonitorRig()
        : monitor(trust, clock, std::make_unique<X11GlobalActivityBackend>(),
            std::make_unique<QtLocalActivityBackend>())
    {
        monitor.onActivity = [this] { reports.append(start.msecsTo(clock.FakeClock::now())); };
        ticker.setInterval(250);
        ticker.callOnTimeout([this] { monitor.tick(); });
        ticker.start();
    }

    X11InputAccessTrust trust;
    CountingClock clock;
    const QDateTime start = clock.FakeClock::now();
    InputActivityMonitor monitor;
    QList<qint64> reports;
    QTimer ticker;
};

// Records what reaches it and lets everything through to the base class.
class ProbeWidget : public QWidget
{
public:
    QList<int> keys;
    int mousePresses = 0;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        keys.append(event->key());
        QWidget::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        ++mousePresses;
        QWidget::mousePressEvent(event);
    }
};

} // namespace

class X11InputTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void trustedWithXInput();
    void untrustedWithoutDisplay();
    void keyPressesAreThrottled_data();
    void keyPressesAreThrottled();
    void modifierAloneIsNoActivity_data();
    void modifierAloneIsNoActivity();
    void pointerInputReports_data();
    void pointerInputReports();
    void absoluteMoveReports();
    void inputAfterAReportWaitsForTheNextTick_data();
    void inputAfterAReportWaitsForTheNextTick();
    void quietTickListensAgain();
    void idleTimeDropWithoutRawInputReports();
    void stoppedMonitorIsSilentAndRestartReportsAtOnce();
    void localMonitorSeesOwnWindowsAndPassesEventsOn();

private:
    X11TestInput m_input;
};

void X11InputTest::initTestCase()
{
    QVERIFY2(m_input.isUsable(), "needs an X server with XTEST");
}

void X11InputTest::trustedWithXInput()
{
    X11InputAccessTrust trust;
    QVERIFY(trust.isTrusted());
    QVERIFY(trust.requestTrust());
}

void X11InputTest::untrustedWithoutDisplay()
{
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    X11InputAccessTrust trust;
    const bool trustedWithoutDisplay = trust.isTrusted();
    const bool grantedWithoutDisplay = trust.requestTrust();

    X11MonitorRig rig;
    const bool startedWithoutDisplay = rig.monitor.start();
    qputenv("DISPLAY", display);

    QVERIFY(!trustedWithoutDisplay);
    QVERIFY(!grantedWithoutDisplay);
    QVERIFY(!startedWithoutDisplay);
    QVERIFY(!rig.monitor.hasGlobalMonitor());
    QVERIFY(!rig.monitor.hasLocalMonitor());
}

void X11InputTest::keyPressesAreThrottled_data()
{
    QTest::addColumn<qint64>("gapMs");
    QTest::addColumn<QList<qint64>>("reportOffsetsMs");

    QTest::newRow("0.2 s apart: one report") << qint64(200) << QList<qint64> { 0 };
    QTest::newRow("0.25 s apart: two reports") << qint64(250) << QList<qint64> { 0, 250 };
}

void X11InputTest::keyPressesAreThrottled()
{
    QFETCH(qint64, gapMs);
    QFETCH(QList<qint64>, reportOffsetsMs);

    X11MonitorRig rig;
    QVERIFY(rig.monitor.start());
    QVERIFY(rig.monitor.bothMonitorsInstalled());

    m_input.tap(keysym::a);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, QList<qint64> { 0 }, 10000);
    const int readsAfterFirst = rig.clock.reads;

    rig.clock.advanceMs(gapMs);
    m_input.tap(keysym::b);
    QTRY_VERIFY_WITH_TIMEOUT(rig.clock.reads > readsAfterFirst, 10000);
    QCOMPARE(rig.reports, reportOffsetsMs);
}

void X11InputTest::modifierAloneIsNoActivity_data()
{
    QTest::addColumn<xcb_keysym_t>("modifier");

    QTest::newRow("Shift") << keysym::shiftL;
    QTest::newRow("Control") << keysym::controlL;
    QTest::newRow("Alt") << keysym::altL;
    QTest::newRow("Super") << keysym::superL;
    QTest::newRow("Caps Lock") << keysym::capsLock;
}

void X11InputTest::modifierAloneIsNoActivity()
{
    QFETCH(xcb_keysym_t, modifier);

    X11MonitorRig rig;
    QVERIFY(rig.monitor.start());
    // Longer than two idle polls, so that the poll has a baseline the modifier could lower.
    QTest::qWait(2200);

    // Caps Lock is tapped twice to leave it off again.
    m_input.tap(modifier);
    if (modifier == keysym::capsLock)
        m_input.tap(modifier);
    m_input.sync();
    QTest::qWait(600);
    QCOMPARE(rig.clock.reads, 0);

    // A plain key after it is activity, and is the only one.
    rig.clock.advanceMs(1000);
    m_input.tap(keysym::a);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, QList<qint64> { 1000 }, 10000);
    QTest::qWait(300);
    QCOMPARE(rig.clock.reads, 1);
}

void X11InputTest::pointerInputReports_data()
{
    QTest::addColumn<QString>("input");

    QTest::newRow("relative motion") << QStringLiteral("move");
    QTest::newRow("left click") << QStringLiteral("button 1");
    QTest::newRow("right click") << QStringLiteral("button 3");
    QTest::newRow("scroll down") << QStringLiteral("button 5");
    QTest::newRow("scroll sideways") << QStringLiteral("button 6");
}

void X11InputTest::pointerInputReports()
{
    QFETCH(QString, input);

    X11MonitorRig rig;
    QVERIFY(rig.monitor.start());
    if (input == QLatin1String("move"))
        m_input.moveBy(7, 5);
    else
        m_input.click(static_cast<uint8_t>(input.section(QLatin1Char(' '), 1).toInt()));
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, QList<qint64> { 0 }, 10000);
}

void X11InputTest::absoluteMoveReports()
{
    X11MonitorRig rig;
    QVERIFY(rig.monitor.start());

    // An absolute move injected through XTEST, as a remote desktop makes it.
    m_input.moveTo(400, 300);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, QList<qint64> { 0 }, 10000);
}

void X11InputTest::inputAfterAReportWaitsForTheNextTick_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QList<qint64>>("reportOffsetsMs");

    QTest::newRow("key: reported at the tick") << QStringLiteral("key") << QList<qint64> { 0, 300 };
    QTest::newRow("relative motion: reported at the tick")
        << QStringLiteral("move") << QList<qint64> { 0, 300 };
    QTest::newRow("modifier alone: nothing at the tick") << QStringLiteral("modifier") << QList<qint64> { 0 };
}

void X11InputTest::inputAfterAReportWaitsForTheNextTick()
{
    QFETCH(QString, input);
    QFETCH(QList<qint64>, reportOffsetsMs);

    X11MonitorRig rig;
    rig.ticker.stop();
    QVERIFY(rig.monitor.start());
    m_input.tap(keysym::a);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, QList<qint64> { 0 }, 10000);

    rig.clock.advanceMs(300);
    if (input == QLatin1String("key"))
        m_input.tap(keysym::b);
    else if (input == QLatin1String("move"))
        m_input.moveBy(4, 2);
    else
        m_input.tap(keysym::shiftL);
    m_input.sync();
    // Without a tick the input is not even read.
    QTest::qWait(600);
    QCOMPARE(rig.clock.reads, 1);

    rig.monitor.tick();
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, reportOffsetsMs, 10000);
    QTest::qWait(300);
    QCOMPARE(rig.reports, reportOffsetsMs);
}

void X11InputTest::quietTickListensAgain()
{
    X11MonitorRig rig;
    rig.ticker.stop();
    QVERIFY(rig.monitor.start());
    m_input.tap(keysym::a);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, QList<qint64> { 0 }, 10000);

    // Nothing but the key's release came since the report: the tick reports nothing and listens again, so
    // the next key reports at once, with no tick between.
    rig.monitor.tick();
    rig.clock.advanceMs(300);
    m_input.tap(keysym::b);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, (QList<qint64> { 0, 300 }), 10000);
}

void X11InputTest::idleTimeDropWithoutRawInputReports()
{
    X11MonitorRig rig;
    QVERIFY(rig.monitor.start());
    // Longer than two idle polls, so that the poll has a baseline to drop from.
    QTest::qWait(2200);
    QCOMPARE(rig.clock.reads, 0);

    m_input.resetScreenSaver();
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, QList<qint64> { 0 }, 10000);
}

void X11InputTest::stoppedMonitorIsSilentAndRestartReportsAtOnce()
{
    X11MonitorRig rig;
    QVERIFY(rig.monitor.start());
    m_input.tap(keysym::a);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, QList<qint64> { 0 }, 10000);

    rig.monitor.stop();
    QVERIFY(!rig.monitor.hasGlobalMonitor());
    rig.clock.advanceMs(100);
    m_input.tap(keysym::a);
    m_input.moveBy(3, 3);
    m_input.sync();
    QTest::qWait(600);
    QCOMPARE(rig.reports, QList<qint64> { 0 });

    QVERIFY(rig.monitor.start());
    m_input.tap(keysym::b);
    QTRY_COMPARE_WITH_TIMEOUT(rig.reports, (QList<qint64> { 0, 100 }), 10000);
}

void X11InputTest::localMonitorSeesOwnWindowsAndPassesEventsOn()
{
    ProbeWidget window;
    window.resize(200, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QtLocalActivityBackend local;
    int events = 0;
    QVERIFY(local.install([&events] { ++events; }));

    QTest::keyClick(&window, Qt::Key_X);
    QCOMPARE(events, 1);
    QCOMPARE(window.keys, QList<int> { Qt::Key_X });

    QTest::keyClick(&window, Qt::Key_Shift);
    QCOMPARE(events, 1);
    QCOMPARE(window.keys, (QList<int> { Qt::Key_X, Qt::Key_Shift }));

    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(events >= 2);
    QCOMPARE(window.mousePresses, 1);

    local.remove();
    const int eventsBeforeRemoval = events;
    QTest::keyClick(&window, Qt::Key_Y);
    QCOMPARE(events, eventsBeforeRemoval);
    QCOMPARE(window.keys.last(), int(Qt::Key_Y));
}

QUORVANE_TEST_MAIN(X11InputTest)
#include "tst_x11_input.moc"
