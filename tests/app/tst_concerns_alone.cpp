#include "FakeAccessibilityTrust.h"
#include "FakeClock.h"
#include "FakeKeyboardGrabBackend.h"
#include "FakeOneShotTimer.h"
#include "LoneRound.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "app/BreakWheel.h"
#include "app/Journal.h"
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

// The round, the journal over it and the break wheel, each without a controller.

class ConcernsAloneTest : public QObject
{
    Q_OBJECT

private slots:
    void theRoundAloneTakesItsPhaseThroughTheCycle()
    {
        LoneRound lone;
        Round &round = lone.round;
        QStringList said;
        connect(&round, &Round::roundOpened, this, [&] { said << QStringLiteral("opened"); });
        connect(&round, &Round::roundEnded, this, [&] { said << QStringLiteral("ended"); });
        connect(&round, &Round::breakFinished, this, [&] { said << QStringLiteral("break over"); });
        for (int second = 0; second < 60; ++second) {
            lone.global->fire();
            lone.monitor.tick();
            lone.clock.advanceMs(1000);
            round.tick();
        }
        QCOMPARE(round.phase(), SessionPhase::SessionComplete);
        QCOMPARE(lone.statistics.todayCompletedSessions(), 1);
        QVERIFY(readFileBytes(lone.focusLog.filePath()).contains(",1,第 1 轮专注,60,60,true,"));

        round.showLockedBreak();
        QCOMPARE(round.phase(), SessionPhase::Wheel);
        round.beginDrawnActivity();
        QCOMPARE(round.phase(), SessionPhase::Activity);
        const WheelItem walk { QUuid::createUuid(), QStringLiteral("Walk"), 1, 5, QString() };
        round.finishBreak({ walk, 1, std::nullopt }, lone.clock.now(), lone.clock.now().addSecs(300));
        QCOMPARE(round.phase(), SessionPhase::Focus);
        QCOMPARE(round.sessionNumber(), 2);
        QCOMPARE(said, strings({ "ended", "break over", "opened" }));
        QVERIFY(readFileBytes(lone.activityLog.filePath()).contains(",1,第 1 轮课间,Walk,5,"));
        QVERIFY(lone.alerts.isEmpty());
    }

    void anEditReachesTheRoundOnlyWhenTheEntryIsTheRounds_data()
    {
        QTest::addColumn<bool>("roundEnded");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("roundTitle");
        QTest::addColumn<QStringList>("loggedTitles");
        const QString running = QStringLiteral("第 1 轮专注");
        QTest::newRow("the running round") << false << -1 << "New" << strings({ "Old" });
        QTest::newRow("the ended round's row") << true << 1 << "New" << strings({ "Old", "New" });
        QTest::newRow("an older row")
            << true << 0 << running << QStringList { QStringLiteral("New"), running };
    }

    void anEditReachesTheRoundOnlyWhenTheEntryIsTheRounds()
    {
        QFETCH(bool, roundEnded);
        QFETCH(int, entry);
        QFETCH(QString, roundTitle);
        QFETCH(QStringList, loggedTitles);
        LoneRound lone;
        const QDateTime earlier = lone.clock.now().addSecs(-600);
        QVERIFY(lone.focusLog.append({ QStringLiteral("older"), earlier, earlier, 1, QStringLiteral("Old"),
            60, 60, true, QString() }));
        Journal journal(
            lone.focusLog, lone.activityLog, lone.round, lone.clock, lone.preferences,
            [&](const QString &title, const QString &) { lone.alerts << title; },
            std::make_unique<FakeOneShotTimer>());
        connect(&lone.round, &Round::titleChanged, &journal, &Journal::currentSessionTitleChanged);
        if (roundEnded)
            lone.round.finishFocusNow();
        QSignalSpy titles(&journal, &Journal::currentSessionTitleChanged);

        journal.updateJournalEntry(
            entry < 0 ? *journal.liveNotesEntry(lone.clock.now()) : lone.focusLog.timelineEntries().at(entry),
            QStringLiteral("New"), std::nullopt, std::nullopt, QStringLiteral("notes"));
        QCOMPARE(journal.currentSessionTitle(), roundTitle);
        QCOMPARE(titles.size(), roundTitle == QStringLiteral("New") ? 1 : 0);
        QStringList logged;
        for (const NotesTimelineEntry &row : lone.focusLog.timelineEntries())
            logged << row.title;
        QCOMPARE(logged, loggedTitles);
        QVERIFY(lone.alerts.isEmpty());
    }

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

QUORVANE_TEST_GUILESS_MAIN(ConcernsAloneTest)
#include "tst_concerns_alone.moc"
