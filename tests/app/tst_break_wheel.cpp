#include "FakeAccessibilityTrust.h"
#include "FakeClock.h"
#include "FakeKeyboardGrabBackend.h"
#include "FakeOneShotTimer.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "app/BreakWheel.h"
#include "core/AppPreferences.h"
#include "core/RandomSource.h"
#include "session/KeyboardLocker.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// The wheel's one entry is drawn whatever the roll.
struct FirstRoll : RandomSource
{
    double unitRoll() override { return 0; }
};

// A break wheel on its own, over a fake keyboard grab and settle timer, whose phase the test's round moves
// as the break's steps are reported. The round is complete.
struct LoneWheel
{
    LoneWheel()
    {
        preferences.items = { { QUuid::createUuid(), QStringLiteral("Walk"), 1, 5, QString() } };
        wheel.followPreferences();
        QObject::connect(&wheel, &BreakWheel::lockedBreakEntered, [this] { phase = SessionPhase::Wheel; });
        QObject::connect(&wheel, &BreakWheel::activityDrawn, [this] { phase = SessionPhase::Activity; });
        QObject::connect(&wheel, &BreakWheel::activityConfirmed,
            [this](const WeightedWheelItem &drawn, const QDateTime &from, const QDateTime &to) {
                confirmed << QStringLiteral("%1 %2").arg(drawn.item.title).arg(from.secsTo(to));
                phase = SessionPhase::Focus;
            });
    }

    TemporaryDataHome home;
    FakeClock clock;
    AppPreferences preferences;
    SessionPhase phase = SessionPhase::SessionComplete;
    QStringList alerts;
    // The confirmed activities with their length in seconds.
    QStringList confirmed;
    FakeAccessibilityTrust trust;
    FakeKeyboardGrabBackend *grab = new FakeKeyboardGrabBackend;
    FakeOneShotTimer *settle = new FakeOneShotTimer;
    FirstRoll random;
    BreakWheel wheel { std::make_unique<KeyboardLocker>(trust, std::unique_ptr<KeyboardGrabBackend>(grab)),
        random, clock, preferences, [this](const QString &title, const QString &) { alerts << title; },
        [this] { return phase; }, std::unique_ptr<OneShotTimer>(settle), home.path() };
};

} // namespace

class BreakWheelTest : public QObject
{
    Q_OBJECT

private slots:
    void theDrawSettlesOnceTheSpinHasEnded_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("settlesAfterMs");
        QTest::newRow("two seconds") << 2.0 << 2050;
        QTest::newRow("no number") << notANumber << 50;
        QTest::newRow("longer than a minute") << 1000.0 << 60050;
    }

    void theDrawSettlesOnceTheSpinHasEnded()
    {
        QFETCH(double, seconds);
        QFETCH(int, settlesAfterMs);
        LoneWheel lone;
        lone.wheel.enterLockedBreak();
        lone.wheel.spinWheel(seconds);
        lone.settle->advance(std::chrono::milliseconds(settlesAfterMs - 1));
        QCOMPARE(lone.phase, SessionPhase::Wheel);
        QVERIFY(lone.wheel.isSpinning());
        lone.settle->advance(1ms);
        QCOMPARE(lone.phase, SessionPhase::Activity);
        QVERIFY(!lone.wheel.isSpinning());

        lone.clock.advanceMs(90000);
        lone.wheel.confirmActivityCompleted();
        QCOMPARE(lone.confirmed, strings({ "Walk 90" }));
        QVERIFY(!lone.grab->isGrabbed());
        QVERIFY(lone.alerts.isEmpty());
    }

    void anEmergencyUnlockDuringTheSpinVoidsTheDraw()
    {
        LoneWheel lone;
        QSignalSpy drawn(&lone.wheel, &BreakWheel::activityDrawn);
        lone.wheel.enterLockedBreak();
        lone.wheel.spinWheel(2.0);
        lone.grab->pressEmergencyChord();
        QTRY_VERIFY(lone.wheel.emergencyUnlocked());
        lone.settle->advance(60s);
        QCOMPARE(drawn.count(), 0);
        QVERIFY(!lone.wheel.isSpinning());
    }
};

QUORVANE_TEST_GUILESS_MAIN(BreakWheelTest)
#include "tst_break_wheel.moc"
