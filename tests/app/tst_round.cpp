#include "FakeOneShotTimer.h"
#include "LoneRound.h"
#include "TestProgram.h"
#include "app/Journal.h"

#include <QSignalSpy>
#include <QTest>

// The round, and the journal over it, each without a controller.

class RoundTest : public QObject
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
};

QUORVANE_TEST_GUILESS_MAIN(RoundTest)
#include "tst_round.moc"
